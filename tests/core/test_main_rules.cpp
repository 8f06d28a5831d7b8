#include <gtest/gtest.h>

#include "support/fake_system_clock.h"
#include "ui/extra_args_rules.h"
#include "ui/main_rules.h"

namespace temura {
namespace {

using test::FakeSystemClock;

TEST(ModeString, LettersPerModeLanguageAndZone) {
    const struct {
        std::uint8_t mode;
        bool english;
        bool useTZ;
        std::int64_t shift;
        std::optional<std::string> expected;
    } cases[] = {
        {0, true, false, 0, "T"},          {0, false, false, 0, "Z"},  {0, true, true, 60, "T+"},
        {0, true, true, -30, "T-"},        {0, false, true, 60, "Z+"}, {0, false, true, -1, "Z-"},
        {0, true, true, 0, "T"},           {0, true, false, 60, "T"},  {1, false, false, 0, "E"},
        {2, false, true, 60, "W"},         {3, true, false, 0, "U"},   {4, false, false, 0, "S"},
        {5, true, false, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        ClockState s;
        s.Mode = c.mode;
        s.English = c.english;
        s.UseTZ = c.useTZ;
        s.ZoneShift = c.shift;
        EXPECT_EQ(modeString(s), c.expected) << int(c.mode) << " " << c.english << " " << c.shift;
    }
}

TEST(Cycles, WrapAtTheirLastValue) {
    EXPECT_EQ(nextMode(3), 4);
    EXPECT_EQ(nextMode(4), 0);
    EXPECT_EQ(nextMode(9), 0);
    EXPECT_EQ(nextTimeFormat(2), 0);
    EXPECT_EQ(nextETimeFormat(1), 2);
    EXPECT_EQ(nextDateFormat(4), 5);
    EXPECT_EQ(nextDateFormat(5), 0);
}

TEST(StepFontSize, StopsAtBothEnds) {
    EXPECT_EQ(stepFontSize(160, 1), 160);
    EXPECT_EQ(stepFontSize(4, -1), 4);
    EXPECT_EQ(stepFontSize(14, 1), 15);
    EXPECT_EQ(stepFontSize(14, -1), 13);
}

TEST(PausedColour, BrightensDarkAndDarkensBrightChannels) {
    EXPECT_EQ(pausedColour(0xFFFFFF), 0xBBBBBBu);
    EXPECT_EQ(pausedColour(0x000000), 0x5A5A5Au);
    // red 165 -> 255, green 166 -> 98, blue 0 -> 90
    EXPECT_EQ(pausedColour(0x0000A6A5), 0x005A62FFu);
}

TEST(Placeholder, FollowsModeAndFormat) {
    ClockState s;
    s.Mode = kModeETime;
    s.ETimeFormat = 2;
    EXPECT_EQ(placeholderTimeText(s), "@000.00");
    s.ETimeFormat = 0;
    EXPECT_EQ(placeholderTimeText(s), "@000");
    s.Mode = kModeUtc;
    s.TimeFormat = 0;
    EXPECT_EQ(placeholderTimeText(s), "00:00");
    s.TimeFormat = 2;
    EXPECT_EQ(placeholderTimeText(s), "00:00:00.0");
}

LayoutInput baseLayout() {
    LayoutInput in;
    in.timeTextWidth = 100;
    in.zeroHeightTime = 20;
    in.modeTextWidth = 6;
    in.dateTextWidth = 130;
    in.zeroHeightDate = 12;
    in.tzLabelHeight = 12;
    in.tzTextWidth = 50;
    return in;
}

TEST(Layout, SumsTheVisibleLines) {
    LayoutInput in = baseLayout();
    Layout out = computeLayout(in);
    EXPECT_EQ(out.width, 110);
    EXPECT_EQ(out.timeHeight, 22);
    EXPECT_EQ(out.formHeightCalc, 22);
    EXPECT_EQ(out.minWidth, 48);

    in.modeVisible = true;
    EXPECT_EQ(computeLayout(in).width, 124);

    in.dateVisible = true;
    out = computeLayout(in);
    EXPECT_EQ(out.width, 140);
    EXPECT_EQ(out.formHeightCalc, 34);

    in.tzShown = true;
    in.tzTextWidth = 200;
    out = computeLayout(in);
    EXPECT_EQ(out.width, 210);
    EXPECT_EQ(out.buttonsTop, 46);
    EXPECT_EQ(out.windowHeight, 46);

    in.buttonsShown = true;
    EXPECT_EQ(computeLayout(in).windowHeight, 62);
}

TEST(Layout, WidensOnlyAsMuchAsTheModeLetterNeedsToClearTheTime) {
    const struct {
        int modeInkRight;
        int timeInkLeft;
        int width;
    } cases[] = {
        {5, 1, 124},   // time ink at 13, letter's up to 6: room enough, the usual sum
        {8, 0, 124},   // ink at 12 and up to 9: exactly two columns between
        {9, 0, 126},   // one column between: one more, two of width
        {9, -2, 130},  // an italic digit leaning out to the left
        {12, -3, 138},
    };
    for (const auto& c : cases) {
        LayoutInput in = baseLayout();
        in.modeVisible = true;
        in.modeInkRight = c.modeInkRight;
        in.timeInkLeft = c.timeInkLeft;
        EXPECT_EQ(computeLayout(in).width, c.width) << c.modeInkRight << " " << c.timeInkLeft;
    }
}

TEST(Layout, WorldLinesGoUnderTheLowestShownLine) {
    const struct {
        const char* what;
        bool date, tz;
        int count, widest;
        int width, worldTop, buttonsTop;
    } cases[] = {
        {"under the zone line", true, true, 3, 60, 140, 46, 91},
        {"under the date", true, false, 3, 60, 140, 34, 79},
        {"under the time alone", false, false, 2, 60, 110, 22, 52},
        {"the widest widens the window", true, true, 8, 300, 310, 46, 166},
        {"none", true, true, 0, 300, 140, 46, 46},
    };
    for (const auto& c : cases) {
        LayoutInput in = baseLayout();
        in.dateVisible = c.date;
        in.tzShown = c.tz;
        in.worldCount = c.count;
        in.worldLineHeight = 15;
        in.worldTextWidth = c.widest;
        in.buttonsShown = true;
        const Layout out = computeLayout(in);
        EXPECT_EQ(out.width, c.width) << c.what;
        EXPECT_EQ(computeWidth(in), c.width) << c.what;
        EXPECT_EQ(out.worldLeft, 5) << c.what;
        EXPECT_EQ(out.worldTop, c.worldTop) << c.what;
        EXPECT_EQ(out.buttonsTop, c.buttonsTop) << c.what;
        EXPECT_EQ(out.windowHeight, c.buttonsTop + 16) << c.what;
    }
}

TEST(Layout, ZoneLineOnlyInTimerMode) {
    ClockState s;
    s.TZVisible = true;
    s.Mode = kModeTimer;
    EXPECT_TRUE(tzLineShown(s));
    s.Mode = kModeUtc;
    EXPECT_FALSE(tzLineShown(s));
    s.TZVisible = false;
    s.Mode = kModeTimer;
    EXPECT_FALSE(tzLineShown(s));
}

TEST(Layout, ZoneLineShowsSystemZoneWithoutSelection) {
    ClockState s;
    s.SysZoneName = "CET";
    s.TZName = "Old";
    EXPECT_EQ(tzLineText(s), "CET");
    s.UseTZ = true;
    s.TZName = "New York";
    EXPECT_EQ(tzLineText(s), "New York");
}

TEST(ButtonRow, ThirdsCentredPause) {
    const ButtonRow r = buttonRow(100);
    EXPECT_EQ(r.width, 33);
    EXPECT_EQ(r.startLeft, 0);
    EXPECT_EQ(r.pauseLeft, 34);
    EXPECT_EQ(r.stopLeft, 67);
}

class DisplayTickTest : public ::testing::Test {
  protected:
    FakeSystemClock clock;
    ClockState s;
    void SetUp() override {
        s.TimeFormat = 1;
        s.ETimeFormat = 2;
        s.StopwatchStopped = true;
        s.StopwatchReading = "00:00:00.0";
        clock.setLocal(2026, 12, 7, 23, 30, 15, 420);
        clock.utc = clock.local;
        clock.utc.hour = 22;
        clock.uptime = 26ull * 3'600'000 + 5'000;
        clock.tick = 123'456;
    }
};

TEST_F(DisplayTickTest, EachModeShowsItsReading) {
    const struct {
        std::uint8_t mode;
        bool useTZ;
        std::int64_t shift;
        const char* text;
    } cases[] = {
        {kModeTimer, false, 0, "23:30:15"},         {kModeTimer, true, 60, "00:30:15"},
        {kModeTimer, true, -1440 - 30, "23:00:15"}, {kModeUtc, false, 0, "22:30:15"},
        {kModeWindows, false, 0, "26:00:05"},       {kModeETime, false, 0, "@979.34"},
    };
    for (const auto& c : cases) {
        s.Mode = c.mode;
        s.UseTZ = c.useTZ;
        s.ZoneShift = c.shift;
        const DisplayTick t = runDisplayTick(s, clock);
        ASSERT_TRUE(t.text.has_value());
        EXPECT_EQ(*t.text, c.text) << int(c.mode);
        EXPECT_FALSE(t.endEarly);
    }
}

TEST_F(DisplayTickTest, TickKeyChangesOncePerSecond) {
    s.Mode = kModeTimer;
    s.LastTickValue = 0;
    EXPECT_TRUE(runDisplayTick(s, clock).playTick);
    EXPECT_EQ(s.LastTickValue, 15);
    clock.local.millisecond = 900;
    EXPECT_FALSE(runDisplayTick(s, clock).playTick);
    clock.local.second = 16;
    clock.local.millisecond = 0;
    EXPECT_TRUE(runDisplayTick(s, clock).playTick);
}

TEST_F(DisplayTickTest, StopwatchBeforeFirstStartShowsZeroAndEndsEarly) {
    s.Mode = kModeStopwatch;
    const DisplayTick t = runDisplayTick(s, clock);
    EXPECT_EQ(t.text, "00:00:00.0");
    EXPECT_TRUE(t.endEarly);
    EXPECT_FALSE(t.playTick);
}

TEST_F(DisplayTickTest, RunningStopwatchShowsElapsed) {
    s.Mode = kModeStopwatch;
    s.StopwatchEverStarted = true;
    s.StopwatchStopped = false;
    s.StopwatchStartTick = clock.tick - 3'723'456;
    const DisplayTick t = runDisplayTick(s, clock);
    EXPECT_EQ(t.text, "01:02:03.4");
    EXPECT_FALSE(t.endEarly);

    s.StopwatchPaused = true;
    const DisplayTick paused = runDisplayTick(s, clock);
    EXPECT_FALSE(paused.text.has_value());
    EXPECT_TRUE(paused.endEarly);
}

TEST(ExtraArgs, SplitsOwnOptionsFromClockSwitches) {
    const ExtraArgs a = parseExtraArgs({"t", "--screenshot=out.png", "x=5", "--bogus", "--help"});
    EXPECT_TRUE(a.help);
    EXPECT_FALSE(a.version);
    EXPECT_EQ(a.screenshot, "out.png");
    EXPECT_EQ(a.clockArgs, (std::vector<std::string>{"t", "x=5"}));
    EXPECT_EQ(a.unknown, (std::vector<std::string>{"--bogus"}));
    EXPECT_TRUE(parseExtraArgs({"--screenshot="}).screenshot.empty());
    EXPECT_EQ(parseExtraArgs({"--close-after=250"}).closeAfterMs, 250);
    EXPECT_EQ(parseExtraArgs({"--close-after=-1"}).closeAfterMs, -1);
    EXPECT_EQ(parseExtraArgs({"--close-after=x"}).unknown.size(), 1u);
}

}  // namespace
}  // namespace temura

namespace temura {
namespace {

class TickScheduleTest : public ::testing::Test {
  protected:
    test::FakeSystemClock clock;
    ClockState s;
    void SetUp() override {
        clock.setLocal(2026, 12, 7, 10, 20, 30, 250);
        clock.utc = clock.local;
        clock.utc.millisecond = 400;
        clock.uptime = 5'000'000'000ULL + 730;  // beyond 32 bits
        clock.tick = 50'000;
    }
    int wait() { return msUntilNextChange(s, clock) - kTickSlackMs; }
};

TEST_F(TickScheduleTest, WakesAtTheNextChangeOfEachLayout) {
    const struct {
        std::uint8_t mode;
        std::uint8_t timeFormat;
        std::uint8_t eTimeFormat;
        int expected;
        bool tick = false;  // the tick sounds: HH:MM wakes at each of its seconds too
    } cases[] = {
        {kModeTimer, 1, 0, 750},     // next second
        {kModeTimer, 2, 0, 50},      // next tenth
        {kModeTimer, 0, 0, 29'750},  // next minute
        {kModeTimer, 0, 0, 750, true},
        {kModeTimer, 2, 0, 50, true},
        {kModeUtc, 1, 0, 600},  // UTC's own milliseconds
        {kModeUtc, 0, 0, 600, true},
        {kModeWindows, 1, 0, 270},  // the uptime counter's second
        {kModeWindows, 0, 0, 270, true},
        {kModeWindows, 2, 0, 70},
        {kModeETime, 0, 2, 864 - 37'230'250 % 864},
        {kModeETime, 0, 1, 8'640 - 37'230'250 % 8'640},
        {kModeETime, 0, 0, 86'400 - 37'230'250 % 86'400},
        {kModeETime, 0, 0, 86'400 - 37'230'250 % 86'400, true},  // its key is the last digit
    };
    for (const auto& c : cases) {
        s.Mode = c.mode;
        s.TimeFormat = c.timeFormat;
        s.ETimeFormat = c.eTimeFormat;
        EXPECT_EQ(msUntilNextChange(s, clock, c.tick) - kTickSlackMs, c.expected)
            << int(c.mode) << " " << int(c.timeFormat) << " " << c.tick;
    }
}

TEST_F(TickScheduleTest, ETimeFollowsTheStandardTimeDay) {
    s.Mode = kModeETime;
    s.ETimeFormat = 0;
    s.SysInDST = true;  // the count runs an hour behind the wall clock
    const std::int64_t x = 37'230'250 - 3'600'000;
    EXPECT_EQ(wait(), 86'400 - x % 86'400);
}

TEST_F(TickScheduleTest, StopwatchAlignsToItsStartAndIdlesWhenNotRunning) {
    s.Mode = kModeStopwatch;
    s.StopwatchStopped = true;
    EXPECT_EQ(wait(), kIdleTickMs);
    s.StopwatchStopped = false;
    s.StopwatchStartTick = clock.tick - 1'234;  // 1.234 s shown as 1.2: next at 1.3
    EXPECT_EQ(wait(), 66);
    // The start tick just past the counter: the elapsed count wrapped to 2^32 - 10 ms.
    s.StopwatchStartTick = clock.tick + 10;
    EXPECT_EQ(wait(), 14);
    s.StopwatchPaused = true;
    EXPECT_EQ(wait(), kIdleTickMs);
}

TEST_F(TickScheduleTest, FormatChangeMidSecondAndClockSetBack) {
    s.Mode = kModeTimer;
    s.TimeFormat = 1;
    EXPECT_EQ(wait(), 750);
    s.TimeFormat = 2;  // changed mid-second: the next tenth, not the next second
    EXPECT_EQ(wait(), 50);
    s.TimeFormat = 1;
    clock.setLocal(2026, 12, 7, 9, 20, 30, 990);  // set back an hour, near a second's end
    EXPECT_EQ(wait(), 10);
    clock.local.millisecond = 0;  // exactly on a boundary: a whole second to the next one
    EXPECT_EQ(wait(), 1000);
}

TEST_F(TickScheduleTest, NeverSoonerThanTheShownUnit) {
    // However the readings fall, a layout never asks for more than ten wake-ups a second.
    for (int ms = 0; ms < 1000; ms += 7) {
        clock.local.millisecond = ms;
        s.Mode = kModeTimer;
        s.TimeFormat = 1;
        EXPECT_GT(wait(), 0);
        EXPECT_LE(wait(), 1000);
    }
}

// The slow tick, every two seconds, shares the display tick's wake-ups instead of adding its own.
TEST(SlowTickTest, RunsOnADisplayTickUnlessTheNextOneWouldBeTooLate) {
    const struct {
        std::uint32_t sinceSlow;
        int untilChange;
        bool due;
    } cases[] = {
        {1000, 1002, false},  // seconds: the next display tick brings it on time
        {1995, 1002, true},   // a display tick a little early still runs it
        {1940, 1002, true},   // earlier, but the next tick would be a second late
        {1900, 102, false},   // tenths: one of the next ticks runs it
        {1960, 102, true},
        {0, 45'002, true},  // minutes: the next change is far too late
        {2000, 45'002, true},
        {100, 2'400, false},           // within half a second of its due time
        {4'000'000'000u, 1002, true},  // a huge gap (the tick count wrapped since)
    };
    for (const auto& c : cases) {
        EXPECT_EQ(slowTickDue(c.sinceSlow, c.untilChange), c.due)
            << c.sinceSlow << " " << c.untilChange;
    }
}

TEST(SlowTickTest, WakesAloneOnlyWhenTheTextChangesTooRarely) {
    const struct {
        int untilChange;
        std::uint32_t sinceSlow;  // after the slow tick ran, if it was due
        int wake;
    } cases[] = {
        {1002, 0, 1002},                       // seconds
        {1002, 1000, 1002}, {102, 1900, 102},  // tenths
        {45'002, 0, 2000},                     // minutes: every two seconds alone
        {2'500, 0, 2'500},                     // half a second late is still on time
        {2'600, 0, 2'000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nextWakeMs(c.untilChange, c.sinceSlow), c.wake)
            << c.untilChange << " " << c.sinceSlow;
    }
}

// Stepped through a minute of seconds: one wake-up a second, a slow tick on every other one.
TEST(SlowTickTest, SecondsWakeOncePerSecondWithASlowTickEveryTwo) {
    // Display ticks land 2 ms past each second; the slow tick ran on the first of them.
    std::uint32_t now = 2, lastSlow = 2;
    int wakes = 0, slowTicks = 0;
    while (now < 60'002) {
        const int untilChange = 1000 - static_cast<int>((now - 2) % 1000);
        now += static_cast<std::uint32_t>(nextWakeMs(untilChange, now - lastSlow));
        ++wakes;
        if (slowTickDue(now - lastSlow, 1000)) {
            lastSlow = now;
            ++slowTicks;
        }
    }
    EXPECT_EQ(wakes, 60);
    EXPECT_EQ(slowTicks, 30);
}

}  // namespace
}  // namespace temura
