#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace temura {

// A broken-down moment as the operating system reports it (a SYSTEMTIME on Windows).
struct SystemTime {
    int year = 1899;
    int month = 12;      // 1..12
    int dayOfWeek = 6;   // 0 = Sunday
    int day = 30;        // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// What the system says of its own time zone, in its own convention: UTC = local + bias (minutes).
enum class ZoneResult { None = 0, Standard = 1, Daylight = 2, Failed = -1 };

struct SysZoneInfo {
    ZoneResult result = ZoneResult::Failed;
    std::int32_t bias = 0;
    std::int32_t standardBias = 0;
    std::int32_t daylightBias = 0;
    std::string standardName;
    std::string daylightName;
};

// The operating system's clocks and zone, so the clock logic can run against a fake in tests.
class SystemClock {
public:
    virtual ~SystemClock() = default;

    virtual SystemTime localTime() const = 0;
    virtual SystemTime utcTime() const = 0;
    // Milliseconds since boot in 32 bits; wraps after about 49.7 days.
    virtual std::uint32_t tickCount() const = 0;
    // Milliseconds since boot in 64 bits; never wraps in practice.
    virtual std::uint64_t uptimeMs() const = 0;
    virtual SysZoneInfo timeZoneInformation() const = 0;

    // Called on the GUI thread after the system time or zone has changed.
    virtual void setTimeChangeHandler(std::function<void()> handler) = 0;
};

}  // namespace temura
