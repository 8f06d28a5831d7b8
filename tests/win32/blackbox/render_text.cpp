// temura_render_text.exe: draws texts the way the clock draws a line of its window (GDI
// DrawTextW, centred on one line) in a font made by logFontFor at the screen's DPI, and saves
// each as an 8-bit RGB PNG, so that the black-box test can tell which text a screenshot shows.
//
//   temura_render_text.exe [--font=NAME] [--points=N] [--bold=0|1] [--italic=0|1]
//                          [--colour=BGR] [--background=BGR] OUT.png TEXT [OUT.png TEXT ...]
//
// Options apply to the pairs after them. Colours are 0x00BBGGRR, in decimal or 0x hex. Before
// drawing it prints what Windows says of the zone and the time (key=value lines), which is how the
// test sees whether Wine took the TZ it was started with, and in which language.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "storage/png_image.h"
#include "wingui/gdi_font.h"

namespace {

using temura::win32::narrow;
using temura::win32::narrowUpToNul;

struct Style {
    temura::wingui::FontSpec font;
    COLORREF colour = 0xFFFFFF;
    COLORREF background = 0;
};

bool render(const Style& style, const std::wstring& text, const std::wstring& out) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    const LOGFONTW lf = temura::wingui::logFontFor(style.font, dpi);
    HFONT font = CreateFontIndirectW(&lf);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    // Room all round for overhangs (italics, A and C widths): only the ink is compared.
    const int margin = tm.tmHeight;
    const int width = size.cx + 2 * margin;
    const int height = tm.tmHeight + 2 * margin;

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !font) return false;
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT rect{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(style.background);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
    SetTextColor(dc, style.colour);
    SetBkColor(dc, style.background);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    GdiFlush();

    const auto* px = static_cast<const std::uint32_t*>(bits);
    const std::vector<std::uint32_t> pixels(px, px + width * height);
    SelectObject(dc, oldBitmap);
    SelectObject(dc, oldFont);
    DeleteObject(bitmap);
    DeleteObject(font);
    DeleteDC(dc);

    const std::string png = temura::encodePng(width, height, pixels);
    FILE* f = _wfopen(out.c_str(), L"wb");
    if (!f) return false;
    const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}

void printTime(const char* key, const SYSTEMTIME& t) {
    std::printf("%s=%04u-%02u-%02u %02u:%02u:%02u\n", key, t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute, t.wSecond);
}

void printZone() {
    TIME_ZONE_INFORMATION tz{};
    const DWORD result = GetTimeZoneInformation(&tz);
    DYNAMIC_TIME_ZONE_INFORMATION dyn{};
    GetDynamicTimeZoneInformation(&dyn);
    SYSTEMTIME local{}, utc{};
    GetLocalTime(&local);
    GetSystemTime(&utc);
    std::printf("result=%lu\nbias=%ld\nstandard_bias=%ld\ndaylight_bias=%ld\n", result, tz.Bias,
                tz.StandardBias, tz.DaylightBias);
    std::printf("standard_name=%s\nkey_name=%s\n",
                narrowUpToNul(tz.StandardName, std::size(tz.StandardName)).c_str(),
                narrowUpToNul(dyn.TimeZoneKeyName, std::size(dyn.TimeZoneKeyName)).c_str());
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = L"";
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    std::printf("locale=%s\n", narrow(locale).c_str());
    printTime("local", local);
    printTime("utc", utc);
    std::fflush(stdout);
}

bool option(const std::wstring& arg, const wchar_t* name, std::wstring& value) {
    const std::wstring prefix = std::wstring(L"--") + name + L"=";
    if (arg.compare(0, prefix.size(), prefix) != 0) return false;
    value = arg.substr(prefix.size());
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    printZone();
    Style style;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        std::wstring v;
        if (option(arg, L"font", v)) {
            style.font.name = narrow(v);
        } else if (option(arg, L"points", v)) {
            style.font.pointSize = static_cast<int>(std::wcstol(v.c_str(), nullptr, 10));
        } else if (option(arg, L"bold", v)) {
            style.font.bold = v == L"1";
        } else if (option(arg, L"italic", v)) {
            style.font.italic = v == L"1";
        } else if (option(arg, L"colour", v)) {
            style.colour = static_cast<COLORREF>(std::wcstoul(v.c_str(), nullptr, 0));
        } else if (option(arg, L"background", v)) {
            style.background = static_cast<COLORREF>(std::wcstoul(v.c_str(), nullptr, 0));
        } else if (i + 1 < argc) {
            if (!render(style, argv[i + 1], arg)) {
                std::fprintf(stderr, "could not render %s\n", narrow(argv[i + 1]).c_str());
                return 1;
            }
            ++i;
        } else {
            std::fprintf(stderr, "%s has no text\n", narrow(arg).c_str());
            return 2;
        }
    }
    return 0;
}
