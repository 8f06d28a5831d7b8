#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"

namespace temura::test {

// Records what the program asked of the desktop; opens nothing.
class FakeDesktop : public Desktop {
public:
    std::vector<std::string> opened;
    int dateTimeSettingsRequests = 0;
    bool tray = false;
    std::optional<ScreenPoint> taskbarClock;

    bool openUrl(const std::string& url) override {
        opened.push_back(url);
        return true;
    }
    bool openFile(const std::string& path) override {
        opened.push_back("file:" + path);
        return true;
    }
    bool openDateTimeSettings() override {
        ++dateTimeSettingsRequests;
        return true;
    }
    bool trayAvailable() const override { return tray; }
    std::optional<ScreenPoint> taskbarClockPosition(int, int) const override {
        return taskbarClock;
    }
};

}  // namespace temura::test
