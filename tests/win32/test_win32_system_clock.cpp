#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <cwchar>

#include "platform/win32/win32_system_clock.h"

namespace temura {
namespace {

long long secondsOfDay(const SystemTime& t) {
    return t.hour * 3600LL + t.minute * 60LL + t.second;
}

// Days since 1970 of a civil date (Howard Hinnant's days_from_civil).
long long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

long long epochSeconds(const SystemTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 86400 + secondsOfDay(t);
}

TEST(Win32SystemClock, TheZoneIsTheOneTheTestsPin) {
    // The tests run with TZ=Europe/Warsaw, which Wine maps to its Central European zone.
    const SysZoneInfo zone = Win32SystemClock().timeZoneInformation();
    ASSERT_TRUE(zone.result == ZoneResult::Standard || zone.result == ZoneResult::Daylight);
    EXPECT_EQ(zone.bias, -60);
    EXPECT_EQ(zone.standardBias, 0);
    EXPECT_EQ(zone.daylightBias, -60);
    EXPECT_FALSE(zone.standardName.empty());
    EXPECT_FALSE(zone.daylightName.empty());
    EXPECT_EQ(zone.standardName.find('\0'), std::string::npos);
}

TEST(Win32SystemClock, LocalTimeIsUtcLessTheBiasInForce) {
    const Win32SystemClock clock;
    const SysZoneInfo zone = clock.timeZoneInformation();
    const SystemTime local = clock.localTime();
    const SystemTime utc = clock.utcTime();
    const int inForce =
        zone.bias + (zone.result == ZoneResult::Daylight ? zone.daylightBias : zone.standardBias);
    // Read a moment apart: allow a second for the clock to tick in between.
    const long long apart = epochSeconds(utc) - epochSeconds(local) - inForce * 60LL;
    EXPECT_LE(apart < 0 ? -apart : apart, 1);

    // Same moment as the C library sees it.
    const std::time_t now = std::time(nullptr);
    EXPECT_LE(std::llabs(epochSeconds(clock.utcTime()) - static_cast<long long>(now)), 2);
    EXPECT_GE(local.year, 2024);
    EXPECT_GE(local.dayOfWeek, 0);
    EXPECT_LE(local.dayOfWeek, 6);
    EXPECT_LT(local.millisecond, 1000);
}

TEST(Win32SystemClock, TickCountIsTheLow32BitsOfTheUptime) {
    const Win32SystemClock clock;
    const std::uint64_t uptime = clock.uptimeMs();
    const std::uint32_t ticks = clock.tickCount();
    EXPECT_LE(static_cast<std::uint32_t>(ticks - static_cast<std::uint32_t>(uptime)), 1000u);
    EXPECT_GE(clock.uptimeMs(), uptime);
}

TEST(Win32SystemClock, ZoneRecordsConvertFieldByField) {
    TIME_ZONE_INFORMATION tz{};
    tz.Bias = 300;
    tz.StandardBias = 0;
    tz.DaylightBias = -60;
    std::wcscpy(tz.StandardName, L"Eastern Standard Time");
    // A name that fills its field has no NUL at all; one with something after its NUL stops there.
    std::wmemset(tz.DaylightName, L'x', 32);
    const struct {
        DWORD result;
        ZoneResult expected;
    } cases[] = {{TIME_ZONE_ID_UNKNOWN, ZoneResult::None},
                 {TIME_ZONE_ID_STANDARD, ZoneResult::Standard},
                 {TIME_ZONE_ID_DAYLIGHT, ZoneResult::Daylight},
                 {TIME_ZONE_ID_INVALID, ZoneResult::Failed}};
    for (const auto& c : cases) {
        EXPECT_EQ(fromTimeZoneInformation(c.result, tz).result, c.expected) << c.result;
    }
    SysZoneInfo info = fromTimeZoneInformation(TIME_ZONE_ID_DAYLIGHT, tz);
    EXPECT_EQ(info.bias, 300);
    EXPECT_EQ(info.daylightBias, -60);
    EXPECT_EQ(info.standardName, "Eastern Standard Time");
    EXPECT_EQ(info.daylightName, std::string(32, 'x'));
    std::wmemcpy(tz.DaylightName, L"Czas letni\0garbage", 18);
    EXPECT_EQ(fromTimeZoneInformation(TIME_ZONE_ID_STANDARD, tz).daylightName, "Czas letni");
}

TEST(Win32SystemClock, TimeChangeMessageReachesTheHandler) {
    Win32SystemClock clock;
    EXPECT_EQ(clock.notificationWindow(), nullptr);
    int calls = 0;
    clock.setTimeChangeHandler([&calls] { ++calls; });
    const HWND window = clock.notificationWindow();
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(calls, 1);

    // Posted, it waits for the thread's message loop, as the GUI's runs it.
    PostMessageW(window, WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(calls, 1);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    EXPECT_EQ(calls, 2);

    // Other messages are the default procedure's; a new handler replaces the old.
    SendMessageW(window, WM_SETTINGCHANGE, 0, 0);
    int replaced = 0;
    clock.setTimeChangeHandler([&replaced] { ++replaced; });
    EXPECT_EQ(clock.notificationWindow(), window);
    SendMessageW(window, WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(replaced, 1);
    clock.setTimeChangeHandler(nullptr);
    SendMessageW(window, WM_TIMECHANGE, 0, 0);
    EXPECT_EQ(replaced, 1);
}

TEST(Win32SystemClock, TheSystemsBroadcastReachesTheHandler) {
    Win32SystemClock clock;
    int calls = 0;
    clock.setTimeChangeHandler([&calls] { ++calls; });
    if (!clock.receivesBroadcasts()) {
        GTEST_SKIP() << "no desktop to make a top-level window on (run under xvfb-run)";
    }
    // What Windows does when the time or zone is set: WM_TIMECHANGE to every top-level window.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_TIMECHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace temura
