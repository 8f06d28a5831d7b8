#include "platform/win32/win32_system_clock.h"

#include <utility>

#include "platform/win32/wide_text.h"

namespace temura {

namespace {

constexpr wchar_t kWindowClass[] = L"TemuraTimeChangeWindow";

bool registerWindowClass(WNDPROC proc) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kWindowClass, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

SystemTime fromSystemTime(const SYSTEMTIME& t) {
    SystemTime st;
    st.year = t.wYear;
    st.month = t.wMonth;
    st.dayOfWeek = t.wDayOfWeek;
    st.day = t.wDay;
    st.hour = t.wHour;
    st.minute = t.wMinute;
    st.second = t.wSecond;
    st.millisecond = t.wMilliseconds;
    return st;
}

SysZoneInfo fromTimeZoneInformation(DWORD result, const TIME_ZONE_INFORMATION& tz) {
    SysZoneInfo info;
    switch (result) {
        case TIME_ZONE_ID_UNKNOWN:
            info.result = ZoneResult::None;
            break;
        case TIME_ZONE_ID_STANDARD:
            info.result = ZoneResult::Standard;
            break;
        case TIME_ZONE_ID_DAYLIGHT:
            info.result = ZoneResult::Daylight;
            break;
        default:
            info.result = ZoneResult::Failed;
            return info;
    }
    info.bias = static_cast<std::int32_t>(tz.Bias);
    info.standardBias = static_cast<std::int32_t>(tz.StandardBias);
    info.daylightBias = static_cast<std::int32_t>(tz.DaylightBias);
    info.standardName = win32::narrowUpToNul(tz.StandardName, std::size(tz.StandardName));
    info.daylightName = win32::narrowUpToNul(tz.DaylightName, std::size(tz.DaylightName));
    return info;
}

Win32SystemClock::~Win32SystemClock() {
    if (m_window != nullptr) DestroyWindow(m_window);
}

namespace {

// GetSystemTime and GetLocalTime move in steps of the system tick (about 15.6 ms): a display
// tick woken just past a second could still read the second before.
SYSTEMTIME preciseUtc() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    SYSTEMTIME t;
    if (!FileTimeToSystemTime(&ft, &t)) GetSystemTime(&t);
    return t;
}

}  // namespace

SystemTime Win32SystemClock::localTime() const {
    const SYSTEMTIME utc = preciseUtc();
    SYSTEMTIME local;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) GetLocalTime(&local);
    return fromSystemTime(local);
}

SystemTime Win32SystemClock::utcTime() const {
    return fromSystemTime(preciseUtc());
}

std::uint32_t Win32SystemClock::tickCount() const {
    return GetTickCount();
}

std::uint64_t Win32SystemClock::uptimeMs() const {
    return GetTickCount64();
}

SysZoneInfo Win32SystemClock::timeZoneInformation() const {
    TIME_ZONE_INFORMATION tz{};
    const DWORD result = GetTimeZoneInformation(&tz);
    return fromTimeZoneInformation(result, tz);
}

void Win32SystemClock::setTimeChangeHandler(std::function<void()> handler) {
    m_handler = std::move(handler);
    if (m_handler && m_window == nullptr) makeWindow();
}

void Win32SystemClock::makeWindow() {
    if (!registerWindowClass(&Win32SystemClock::windowProc)) return;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // Never shown; the tool-window style keeps it off the taskbar and out of Alt+Tab all the same.
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"Temura time change", WS_POPUP, 0,
                               0, 0, 0, nullptr, nullptr, instance, nullptr);
    m_messageOnly = false;
    if (m_window == nullptr) {
        m_window = CreateWindowExW(0, kWindowClass, L"Temura time change", 0, 0, 0, 0, 0,
                                   HWND_MESSAGE, nullptr, instance, nullptr);
        m_messageOnly = m_window != nullptr;
    }
    if (m_window != nullptr) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
}

LRESULT CALLBACK Win32SystemClock::windowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_TIMECHANGE) {
        auto* clock = reinterpret_cast<Win32SystemClock*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (clock != nullptr && clock->m_handler) {
            // An exception must not unwind through the system's dispatch code.
            try {
                clock->m_handler();
            } catch (...) {
            }
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace temura
