#pragma once

// Fonts as the clock's settings name them (family, points, bold, italic), made into GDI fonts
// for a given DPI, and the few measures the layout needs.

#include <windows.h>

#include <string>

namespace temura::wingui {

struct FontSpec {
    std::string name = "MS Sans Serif";  // UTF-8, as stored
    int pointSize = 8;
    bool bold = false;
    bool italic = false;
};

LOGFONTW logFontFor(const FontSpec& spec, int dpi);

// Owns one GDI font; made again whenever its spec or the DPI changes.
class GdiFont {
  public:
    GdiFont() = default;
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;
    ~GdiFont();

    void set(const FontSpec& spec, int dpi);
    const FontSpec& spec() const { return m_spec; }
    HFONT handle() const { return m_font; }

  private:
    FontSpec m_spec;
    HFONT m_font = nullptr;
};

struct TextMeasure {
    int width = 0;
    int height = 0;    // the font's line height (ascent + descent)
    int inkLeft = 0;   // first ink column from the pen position (the first glyph's A width)
    int inkRight = 0;  // last ink column from the pen position
};

// Measures `text` in `font` on `dc` (any DC of the screen).
TextMeasure measureText(HDC dc, HFONT font, const std::wstring& text);

}  // namespace temura::wingui
