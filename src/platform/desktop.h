#pragma once

#include <optional>
#include <string>

namespace temura {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// What the clock asks of the desktop it runs on; tests pass a fake.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Open with the desktop's "open" verb; false when nothing took it.
    virtual bool openUrl(const std::string& url) = 0;
    virtual bool openFile(const std::string& path) = 0;
    // Start the desktop's date and time settings; false when none is known.
    virtual bool openDateTimeSettings() = 0;
    virtual bool trayAvailable() const = 0;
    // Where the clock would sit over the taskbar clock; none where there is no such clock.
    virtual std::optional<ScreenPoint> taskbarClockPosition(int formWidth, int formHeight) const = 0;
};

}  // namespace temura
