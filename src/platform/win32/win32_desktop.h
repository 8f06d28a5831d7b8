#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/desktop.h"

namespace temura {

// Where the clock sits over the taskbar clock: the taskbar ("Shell_TrayWnd"), its notification
// area ("TrayNotifyWnd") and the clock in it ("TrayClockWClass"). Left: the notification area's
// centre less half the form's width; top: the clock's top plus half the form's height. Nothing
// when one of the three windows is missing or goes away while it is measured.
std::optional<ScreenPoint> taskbarClockPosition(int formWidth, int formHeight);
// The same, from a given taskbar window.
std::optional<ScreenPoint> taskbarClockPositionFrom(HWND taskbar, int formWidth, int formHeight);

// Opens the system's date and time settings ("control.exe" "date/time").
bool openDateTimeSettings();

// The desktop of the Windows program: the shell's "open" verb, the date and time settings, the
// tray (always there on Windows) and the taskbar clock.
class Win32Desktop : public Desktop {
  public:
    bool openUrl(const std::string& url) override;
    bool openFile(const std::string& path) override;
    bool openDateTimeSettings() override { return temura::openDateTimeSettings(); }
    bool trayAvailable() const override { return true; }
    std::optional<ScreenPoint> taskbarClockPosition(int formWidth, int formHeight) const override {
        return temura::taskbarClockPosition(formWidth, formHeight);
    }
};

}  // namespace temura
