#pragma once

#include <windows.h>

#include <functional>

#include "platform/system_clock.h"

namespace temura {

// The system's clocks and zone through GetLocalTime, GetSystemTime, GetTickCount(64) and
// GetTimeZoneInformation. Changes of the system time or zone arrive as WM_TIMECHANGE, which the
// system broadcasts to top-level windows, so the notifier is a hidden top-level window owned by
// the thread that sets the handler; the GUI's message loop dispatches it there. Where no
// top-level window can be made (no desktop), a message-only window stands in: it still takes the
// message when it is sent to it, though broadcasts pass it by.
class Win32SystemClock : public SystemClock {
  public:
    Win32SystemClock() = default;
    ~Win32SystemClock() override;
    Win32SystemClock(const Win32SystemClock&) = delete;
    Win32SystemClock& operator=(const Win32SystemClock&) = delete;

    SystemTime localTime() const override;
    SystemTime utcTime() const override;
    std::uint32_t tickCount() const override;
    std::uint64_t uptimeMs() const override;
    SysZoneInfo timeZoneInformation() const override;

    // The window is made on the first handler and kept until the clock goes.
    void setTimeChangeHandler(std::function<void()> handler) override;

    // The window WM_TIMECHANGE reaches; null until a handler was set or when none could be made.
    HWND notificationWindow() const { return m_window; }
    bool receivesBroadcasts() const { return m_window != nullptr && !m_messageOnly; }

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void makeWindow();

    std::function<void()> m_handler;
    HWND m_window = nullptr;
    bool m_messageOnly = false;
};

// The fields of a SYSTEMTIME as the platform-neutral record holds them.
SystemTime fromSystemTime(const SYSTEMTIME& t);
// GetTimeZoneInformation's answer and record; the names end at their first NUL.
SysZoneInfo fromTimeZoneInformation(DWORD result, const TIME_ZONE_INFORMATION& tz);

}  // namespace temura
