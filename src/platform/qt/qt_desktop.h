#pragma once

#include "platform/desktop.h"

namespace temura {

// The desktop through Qt: QDesktopServices for "open", a known settings program for the date.
class QtDesktop : public Desktop {
public:
    bool openUrl(const std::string& url) override;
    bool openFile(const std::string& path) override;
    bool openDateTimeSettings() override;
    bool trayAvailable() const override;
    std::optional<ScreenPoint> taskbarClockPosition(int formWidth, int formHeight) const override;
};

}  // namespace temura
