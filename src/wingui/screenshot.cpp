#include "wingui/screenshot.h"

#include <windows.h>

#include <vector>

#include "storage/png_image.h"
#include "wingui/form_main.h"

namespace temura::wingui {

bool saveScreenshot(TFormMain& form, Files& files, const std::string& path) {
    const SIZE size = form.clientSize();
    if (size.cx <= 0 || size.cy <= 0) return false;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size.cx;
    bi.bmiHeader.biHeight = -size.cy;  // rows from the top
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!bitmap || !bits) {
        DeleteDC(dc);
        return false;
    }
    const HGDIOBJ old = SelectObject(dc, bitmap);
    form.paint(dc);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const std::vector<std::uint32_t> copy(
        pixels, pixels + static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    const std::string png = encodePng(size.cx, size.cy, copy);
    return !png.empty() && files.writeAtomically(path, png);
}

}  // namespace temura::wingui
