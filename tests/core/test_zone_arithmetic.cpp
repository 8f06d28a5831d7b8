#include <gtest/gtest.h>

#include <climits>

#include "clock/zone_arithmetic.h"
#include "support/fake_system_clock.h"

namespace temura {
namespace {

using test::FakeSystemClock;

DateTime at(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0) {
    return *tryEncodeDateTime(y, mo, d, h, mi, s, ms);
}

SystemTime local(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0) {
    return decodeDateTime(at(y, mo, d, h, mi, s, ms));
}

struct WindowCase {
    const char* what;
    DateTime dst;
    DateTime std;
    SystemTime now;
    bool inDST;
    bool inStd;
};

class ZoneWindowTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(ZoneWindowTest, FlagsFollowTheWindow) {
    const WindowCase& c = GetParam();
    ClockState s;
    s.TZName = "Zone";
    s.TZDSTStart = c.dst;
    s.TZStdStart = c.std;
    CheckZoneDST(s, c.now);
    EXPECT_EQ(s.ZoneInDST, c.inDST) << c.what;
    EXPECT_EQ(s.ZoneInStd, c.inStd) << c.what;
}

const DateTime kNorthDst = at(2026, 3, 29, 2, 0);
const DateTime kNorthStd = at(2026, 10, 25, 3, 0);
const DateTime kSouthDst = at(2026, 10, 4, 2, 0);
const DateTime kSouthStd = at(2026, 4, 5, 3, 0);

INSTANTIATE_TEST_SUITE_P(
    Windows, ZoneWindowTest,
    ::testing::Values(
        WindowCase{"north summer", kNorthDst, kNorthStd, local(2026, 7, 1, 12, 0), true, false},
        WindowCase{"north winter", kNorthDst, kNorthStd, local(2026, 1, 15, 12, 0), false, true},
        WindowCase{"north at dst start", kNorthDst, kNorthStd, local(2026, 3, 29, 2, 0), true,
                   false},
        WindowCase{"north half a second before std", kNorthDst, kNorthStd,
                   local(2026, 10, 25, 2, 59, 59, 500), false, false},
        WindowCase{"north at std start", kNorthDst, kNorthStd, local(2026, 10, 25, 3, 0), false,
                   false},
        WindowCase{"north after std start", kNorthDst, kNorthStd, local(2026, 10, 25, 3, 0, 1),
                   false, true},
        WindowCase{"south winter", kSouthDst, kSouthStd, local(2026, 7, 1, 12, 0), false, true},
        WindowCase{"south after dst start", kSouthDst, kSouthStd, local(2026, 12, 1, 12, 0), true,
                   false},
        WindowCase{"south before std start", kSouthDst, kSouthStd, local(2026, 2, 1, 12, 0), true,
                   false},
        WindowCase{"south last second before dst", kSouthDst, kSouthStd,
                   local(2026, 10, 4, 1, 59, 59, 500), false, false},
        WindowCase{"instants within a millisecond", kNorthDst, kNorthDst + 0.4 * kOneMsInDays,
                   local(2026, 7, 1, 12, 0), false, false},
        WindowCase{"no dst start", 0, kNorthStd, local(2026, 7, 1, 12, 0), false, false},
        WindowCase{"no std start", kNorthDst, 0, local(2026, 1, 1, 12, 0), false, false},
        // A zone chosen last year still follows its yearly change-overs this year.
        WindowCase{"chosen last year, summer", at(2025, 3, 30, 2, 0), at(2025, 10, 26, 3, 0),
                   local(2026, 7, 1, 12, 0), true, false},
        WindowCase{"chosen last year, winter", at(2025, 3, 30, 2, 0), at(2025, 10, 26, 3, 0),
                   local(2026, 12, 1, 12, 0), false, true},
        // New York chosen in 2026 (8 March) changes over on 14 March 2027.
        WindowCase{"chosen last year, before this year's rule day", at(2026, 3, 8, 2, 0),
                   at(2026, 11, 1, 2, 0), local(2027, 3, 10, 12, 0), false, true},
        WindowCase{"29 February in a common year", at(2024, 2, 29, 2, 0), at(2024, 10, 27, 3, 0),
                   local(2026, 7, 1, 12, 0), true, false}));

TEST(CheckZoneDST, EmptyNameLeavesFlags) {
    ClockState s;
    s.ZoneInDST = true;
    s.ZoneInStd = true;
    CheckZoneDST(s, local(2026, 7, 1, 12, 0));
    EXPECT_TRUE(s.ZoneInDST);
    EXPECT_TRUE(s.ZoneInStd);
}

TEST(SameRuleInYear, KeepsWeekdayOccurrenceAndTime) {
    struct Case {
        const char* what;
        DateTime from;
        int year;
        DateTime expected;
    };
    const Case cases[] = {
        {"New York 2nd Sunday of March 2025", at(2025, 3, 9, 2, 0), 2026, at(2026, 3, 8, 2, 0)},
        {"... in 2027", at(2025, 3, 9, 2, 0), 2027, at(2027, 3, 14, 2, 0)},
        {"... from 2026, in 2028", at(2026, 3, 8, 2, 0), 2028, at(2028, 3, 12, 2, 0)},
        {"New York 1st Sunday of November", at(2025, 11, 2, 2, 0), 2027, at(2027, 11, 7, 2, 0)},
        {"... from 2026, in 2028", at(2026, 11, 1, 2, 0), 2028, at(2028, 11, 5, 2, 0)},
        {"Warsaw last Sunday of March", at(2025, 3, 30, 2, 0), 2026, at(2026, 3, 29, 2, 0)},
        {"... from 2026, in 2028", at(2026, 3, 29, 2, 0), 2028, at(2028, 3, 26, 2, 0)},
        {"last Sunday on the 25th stays last", at(2026, 10, 25, 3, 0), 2027,
         at(2027, 10, 31, 3, 0)},
        {"... from 2025, in 2028", at(2025, 10, 26, 3, 0), 2028, at(2028, 10, 29, 3, 0)},
        {"24th with a 31st after it is the 4th", at(2026, 10, 24, 1, 0), 2027,
         at(2027, 10, 23, 1, 0)},
        {"29 February is the last Thursday", at(2024, 2, 29, 2, 0), 2027, at(2027, 2, 25, 2, 0)},
        {"same year, same instant", at(2026, 3, 8, 2, 0), 2026, at(2026, 3, 8, 2, 0)},
        {"seconds kept", at(2026, 3, 8, 2, 30, 17), 2027, at(2027, 3, 14, 2, 30, 17)},
        {"no instant", 0, 2027, 0},
        {"year out of range", at(2026, 3, 8, 2, 0), 10000, 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(sameRuleInYear(c.from, c.year), c.expected) << c.what;
}

struct ShiftCase {
    const char* what;
    SysZoneInfo sys;
    bool zoneInDST;
    bool zoneInStd;
    std::int32_t bias, dstBias, stdBias;
    std::int64_t expected;
};

TEST(CalcZoneShift, AddsSystemZoneAndCorrection) {
    const ShiftCase cases[] = {
        {"Warsaw winter, New York standard",
         {ZoneResult::Standard, -60, 0, -60, "", ""},
         false,
         true,
         -300,
         60,
         0,
         -360},
        {"Warsaw summer, New York daylight",
         {ZoneResult::Daylight, -60, 0, -60, "", ""},
         true,
         false,
         -300,
         60,
         0,
         -360},
        {"system standard bias is not added",
         {ZoneResult::Standard, -60, -15, -60, "", ""},
         false,
         false,
         0,
         0,
         0,
         -60},
        {"zone without dates",
         {ZoneResult::Daylight, 300, 0, -60, "", ""},
         false,
         false,
         330,
         60,
         0,
         570},
        {"failed query uses the bias alone",
         {ZoneResult::Failed, 120, 0, -60, "", ""},
         false,
         false,
         0,
         0,
         0,
         120},
        {"no overflow",
         {ZoneResult::Daylight, INT_MAX, 0, INT_MAX, "", ""},
         true,
         false,
         INT_MAX,
         INT_MAX,
         0,
         4LL * INT_MAX},
    };
    for (const ShiftCase& c : cases) {
        FakeSystemClock clock;
        clock.zone = c.sys;
        ClockState s;
        s.UseTZ = true;
        s.ZoneInDST = c.zoneInDST;
        s.ZoneInStd = c.zoneInStd;
        s.TZBias = c.bias;
        s.TZDSTBias = c.dstBias;
        s.TZStdBias = c.stdBias;
        CalcZoneShift(s, clock);
        EXPECT_EQ(s.ZoneShift, c.expected) << c.what;
    }
}

TEST(CalcZoneShift, NothingWithoutZone) {
    FakeSystemClock clock;
    clock.setWarsawWinter();
    ClockState s;
    s.ZoneShift = 77;
    s.TZBias = 100;
    CalcZoneShift(s, clock);
    EXPECT_EQ(s.ZoneShift, 77);
}

TEST(ReadSysZone, MapsTheResult) {
    const struct {
        ZoneResult result;
        bool dst, std;
        const char* name;
    } cases[] = {
        {ZoneResult::Daylight, true, false, "CEST"},
        {ZoneResult::Standard, false, true, "CET"},
        {ZoneResult::None, false, false, "CET"},
        {ZoneResult::Failed, false, false, "CET"},
    };
    for (const auto& c : cases) {
        FakeSystemClock clock;
        clock.zone = SysZoneInfo{c.result, -60, 5, -60, "CET", "CEST"};
        ClockState s;
        ReadSysZone(s, clock);
        GetCurrTZName(s, clock);
        EXPECT_EQ(s.SysInDST, c.dst);
        EXPECT_EQ(s.SysInStd, c.std);
        EXPECT_EQ(s.SysBias, -60);
        EXPECT_EQ(s.SysStandardBias, 5);
        EXPECT_EQ(s.SysDaylightBias, -60);
        EXPECT_EQ(s.SysZoneName, c.name);
    }
}

TEST(ApplyZone, ComputesFlagsAndShiftThenDefaultSwitchesOff) {
    FakeSystemClock clock;
    clock.setWarsawSummer();
    clock.setLocal(2026, 7, 1, 12, 0);
    ClockState s;
    applyZone(s, clock,
              ZoneSelection{"New York", -300, 60, 0, at(2026, 3, 8, 2, 0), at(2026, 11, 1, 2, 0)});
    EXPECT_TRUE(s.UseTZ);
    EXPECT_TRUE(s.ZoneInDST);
    EXPECT_EQ(s.ZoneShift, -360);

    actDefaultTimeZoneExecute(s);
    EXPECT_FALSE(s.UseTZ);
    EXPECT_TRUE(s.TZName.empty());
    EXPECT_FALSE(s.ZoneInDST);
    EXPECT_EQ(s.ZoneShift, 0);
    EXPECT_EQ(s.TZBias, 0);
    EXPECT_EQ(s.TZDSTStart, 0);
    EXPECT_EQ(s.TZStdStart, 0);
}

TEST(MsOfDay, CountsFromMidnight) {
    EXPECT_EQ(MsOfDay(local(2026, 1, 1, 0, 0)), 0u);
    EXPECT_EQ(MsOfDay(local(2026, 1, 1, 23, 59, 59, 999)), 86'399'999u);
    EXPECT_EQ(MsOfDay(local(2026, 1, 1, 1, 2, 3, 4)), 3'723'004u);
}

TEST(ETimeValue, StandardMidnightIsZero) {
    EXPECT_DOUBLE_EQ(eTimeValue(local(2026, 1, 1, 12, 0), false), 500.0);
    EXPECT_DOUBLE_EQ(eTimeValue(local(2026, 1, 1, 0, 0), false), 0.0);
    EXPECT_NEAR(eTimeValue(local(2026, 7, 1, 0, 30), true), 979.1666666, 1e-6);
    EXPECT_DOUBLE_EQ(eTimeValue(local(2026, 7, 1, 1, 0), true), 0.0);
}

TEST(DateShift, UtcZoneOrLocal) {
    ClockState s;
    s.SysBias = -60;
    s.SysDaylightBias = -60;
    s.SysStandardBias = 0;
    s.SysInDST = true;
    s.Mode = kModeUtc;
    EXPECT_EQ(dateShiftMinutes(s), -120);
    s.SysInDST = false;
    s.SysInStd = true;
    EXPECT_EQ(dateShiftMinutes(s), -60);
    s.Mode = kModeTimer;
    EXPECT_EQ(dateShiftMinutes(s), 0);
    s.UseTZ = true;
    s.ZoneShift = -360;
    EXPECT_EQ(dateShiftMinutes(s), -360);
    s.Mode = kModeETime;
    EXPECT_EQ(dateShiftMinutes(s), 0);
}

TEST(StartValues, MatchTheWindowCreation) {
    ClockState s;
    setStartValues(s);
    EXPECT_TRUE(s.StopwatchStopped);
    EXPECT_FALSE(s.StopwatchPaused);
    EXPECT_EQ(s.StopwatchReading, "00:00:00.0");
    EXPECT_EQ(s.TimeFormat, 1);
    EXPECT_EQ(s.ETimeFormat, 1);
    EXPECT_EQ(s.DateFormat, 2);
    EXPECT_TRUE(s.DateVisible);
    EXPECT_EQ(s.TimerFontColor, 0xFFFFFFu);
    EXPECT_EQ(s.SeparatorColor, 0x00F0FFFFu);
}

}  // namespace
}  // namespace temura
