#include "platform/win32/win32_desktop.h"

#include "platform/win32/wide_text.h"

#include <shellapi.h>

namespace temura {

namespace {

// The window's left and top: on the screen for a top-level window, in its parent's client area
// for a child.
std::optional<POINT> origin(HWND window, HWND parent) {
    RECT r;
    if (!GetWindowRect(window, &r)) return std::nullopt;
    POINT p{r.left, r.top};
    if (parent != nullptr && !ScreenToClient(parent, &p)) return std::nullopt;
    return p;
}

}  // namespace

std::optional<ScreenPoint> taskbarClockPositionFrom(HWND taskbar, int formWidth, int formHeight) {
    if (taskbar == nullptr) return std::nullopt;
    const HWND notify = FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr);
    if (notify == nullptr) return std::nullopt;
    const HWND clock = FindWindowExW(notify, nullptr, L"TrayClockWClass", nullptr);
    if (clock == nullptr) return std::nullopt;

    const auto bar = origin(taskbar, nullptr);
    const auto area = origin(notify, taskbar);
    const auto face = origin(clock, notify);
    RECT areaRect;
    if (!bar || !area || !face || !GetWindowRect(notify, &areaRect)) return std::nullopt;
    const int areaWidth = areaRect.right - areaRect.left;
    // The divisions truncate toward zero, as C++'s do.
    return ScreenPoint{bar->x + area->x + areaWidth / 2 - formWidth / 2,
                       bar->y + area->y + face->y + formHeight / 2};
}

std::optional<ScreenPoint> taskbarClockPosition(int formWidth, int formHeight) {
    return taskbarClockPositionFrom(FindWindowW(L"Shell_TrayWnd", nullptr), formWidth, formHeight);
}

bool openDateTimeSettings() {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", L"control.exe", L"date/time", nullptr, SW_SHOWNORMAL));
    // ShellExecute reports success as a value above 32.
    return result > 32;
}

namespace {

bool shellOpen(const std::string& target) {
    const std::wstring wide = win32::widen(target);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace

bool Win32Desktop::openUrl(const std::string& url) {
    return shellOpen(url);
}

bool Win32Desktop::openFile(const std::string& path) {
    return shellOpen(path);
}

}  // namespace temura
