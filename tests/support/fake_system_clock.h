#pragma once

#include <utility>

#include "platform/system_clock.h"

namespace temura::test {

// A system clock whose every answer the test sets.
class FakeSystemClock : public SystemClock {
public:
    SystemTime local;
    SystemTime utc;
    std::uint32_t tick = 0;
    std::uint64_t uptime = 0;
    SysZoneInfo zone{ZoneResult::None, 0, 0, 0, "UTC", "UTC"};
    std::function<void()> handler;

    SystemTime localTime() const override { return local; }
    SystemTime utcTime() const override { return utc; }
    std::uint32_t tickCount() const override { return tick; }
    std::uint64_t uptimeMs() const override { return uptime; }
    SysZoneInfo timeZoneInformation() const override { return zone; }
    void setTimeChangeHandler(std::function<void()> h) override { handler = std::move(h); }

    void setLocal(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0) {
        local = SystemTime{y, mo, 0, d, h, mi, s, ms};
        local.dayOfWeek = weekday(y, mo, d);
    }
    // Winter in Warsaw: standard time, UTC = local - 60.
    void setWarsawWinter() {
        zone = SysZoneInfo{ZoneResult::Standard, -60, 0, -60, "CET", "CEST"};
    }
    void setWarsawSummer() {
        zone = SysZoneInfo{ZoneResult::Daylight, -60, 0, -60, "CET", "CEST"};
    }

private:
    static int weekday(int y, int m, int d) {
        // Sakamoto's method; 0 = Sunday.
        static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
        if (m < 3) y -= 1;
        return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
    }
};

}  // namespace temura::test
