#include "wingui/gdi_font.h"

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace temura::wingui {

LOGFONTW logFontFor(const FontSpec& spec, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(spec.pointSize, dpi, 72);
    lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = spec.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = win32::widen(spec.name);
    const std::size_t n = std::min(face.size(), std::size(lf.lfFaceName) - 1);
    std::copy_n(face.begin(), n, lf.lfFaceName);
    lf.lfFaceName[n] = L'\0';
    return lf;
}

GdiFont::~GdiFont() {
    if (m_font) DeleteObject(m_font);
}

void GdiFont::set(const FontSpec& spec, int dpi) {
    const LOGFONTW lf = logFontFor(spec, dpi);
    HFONT font = CreateFontIndirectW(&lf);
    if (!font) return;  // keep the old one rather than draw with none
    if (m_font) DeleteObject(m_font);
    m_font = font;
    m_spec = spec;
}

TextMeasure measureText(HDC dc, HFONT font, const std::wstring& text) {
    TextMeasure m;
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    m.height = tm.tmHeight;
    SIZE size{};
    if (!text.empty() &&
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) {
        m.width = size.cx;
    }
    m.inkRight = m.width;
    if (!text.empty()) {
        // Bitmap fonts have no ABC widths: their ink is their advance.
        ABC first{}, last{};
        if (GetCharABCWidthsW(dc, text.front(), text.front(), &first)) m.inkLeft = first.abcA;
        if (GetCharABCWidthsW(dc, text.back(), text.back(), &last)) {
            m.inkRight = m.width - static_cast<int>(last.abcC);
        }
    }
    SelectObject(dc, old);
    return m;
}

}  // namespace temura::wingui
