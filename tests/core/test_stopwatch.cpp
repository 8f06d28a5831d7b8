#include <gtest/gtest.h>

#include "clock/stopwatch.h"
#include "support/fake_system_clock.h"
#include "ui/main_rules.h"

namespace temura {
namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kGrey = 0xBBBBBB;

// The stopwatch as the program starts it.
ClockState freshState() {
    ClockState s;
    s.StopwatchStopped = true;
    s.StopwatchReading = "00:00:00.0";
    s.TimerFontColor = kWhite;
    s.PausedColor = kGrey;
    return s;
}

std::uint32_t elapsed(const ClockState& s, std::uint32_t tick) {
    return tick - s.StopwatchStartTick;
}

enum class Action { Start, Pause, Stop };

StopwatchEffects run(Action a, ClockState& s, std::uint32_t tick) {
    switch (a) {
        case Action::Start:
            return actStart(s, tick);
        case Action::Pause:
            return actPause(s, tick);
        case Action::Stop:
            return actStop(s, tick);
    }
    return {};
}

TEST(Stopwatch, EveryTransition) {
    // Started at tick 1000, acting at tick 6370: a running reading of 5.37 s. A frozen reading is
    // 2 s.
    constexpr std::uint32_t kStart = 1000, kNow = 6370;
    const std::string frozen = "00:00:02.0";
    const std::string running = "00:00:05.3";
    const std::string zero = "00:00:00.0";
    const std::optional<std::string> none;

    const struct {
        bool stopped, paused;
        std::uint8_t mode;
        Action action;
        bool toStopped, toPaused;
        std::uint32_t toStartTick;
        std::string toReading;
        std::optional<std::string> timeText;
    } cases[] = {
        // Start: only a plain pause keeps the reading.
        {true, false, 0, Action::Start, false, false, kNow, frozen, none},
        {true, true, 4, Action::Start, false, false, kNow, frozen, none},
        {false, true, 4, Action::Start, false, false, kNow - 2000, frozen, none},
        {false, false, 4, Action::Start, false, false, kNow, frozen, none},
        // Pause: only a running stopwatch takes a new reading.
        {false, false, 0, Action::Pause, false, true, kStart, running, none},
        {false, false, 4, Action::Pause, false, true, kStart, running, running},
        {false, true, 4, Action::Pause, false, true, kStart, frozen, none},
        {true, false, 4, Action::Pause, true, true, kStart, frozen, none},
        // Stop: a second Stop clears only in the Stopwatch mode.
        {false, false, 0, Action::Stop, true, false, kStart, running, none},
        {false, false, 4, Action::Stop, true, false, kStart, running, running},
        {false, true, 4, Action::Stop, true, false, kStart, frozen, none},
        {true, false, 0, Action::Stop, true, false, kStart, frozen, none},
        {true, false, 4, Action::Stop, true, false, kStart, zero, zero},
        {true, true, 4, Action::Stop, true, false, kStart, zero, zero},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(row++);
        ClockState s = freshState();
        s.StopwatchStopped = c.stopped;
        s.StopwatchPaused = c.paused;
        s.Mode = c.mode;
        s.StopwatchStartTick = kStart;
        s.StopwatchReading = frozen;
        s.LastTickValue = 7;

        const StopwatchEffects fx = run(c.action, s, kNow);

        EXPECT_EQ(s.StopwatchStopped, c.toStopped);
        EXPECT_EQ(s.StopwatchPaused, c.toPaused);
        EXPECT_EQ(s.StopwatchStartTick, c.toStartTick);
        EXPECT_EQ(s.StopwatchReading, c.toReading);
        EXPECT_EQ(fx.timeText, c.timeText);
        EXPECT_TRUE(fx.relayout);
        EXPECT_EQ(s.StopwatchEverStarted, c.action == Action::Start);
        EXPECT_EQ(fx.enableDisplayTick, c.action == Action::Start);
        const bool pause = c.action == Action::Pause;
        EXPECT_EQ(fx.title, pause ? kTitlePaused : kTitleRunning);
        EXPECT_EQ(fx.blink, pause);
        EXPECT_EQ(fx.resetTimeColour, !pause);
        EXPECT_EQ(s.LastTickValue, c.action == Action::Stop ? 0 : 7);
    }
}

TEST(Stopwatch, ResumesFromTheFrozenReadingToTheTenth) {
    ClockState s = freshState();
    actStart(s, 1000);
    actPause(s, 6370);
    EXPECT_EQ(s.StopwatchReading, "00:00:05.3");
    // Ten seconds later a second Pause keeps the first reading.
    actPause(s, 16370);
    EXPECT_EQ(s.StopwatchReading, "00:00:05.3");
    actStart(s, 20000);
    EXPECT_EQ(elapsed(s, 20000), 5300u);
}

TEST(Stopwatch, PauseInStopwatchModeFreezesTheElapsedTimeNotTheShownText) {
    test::FakeSystemClock clock;
    ClockState s = freshState();
    s.Mode = kModeStopwatch;
    actStart(s, 0);
    clock.tick = 5370;
    EXPECT_EQ(runDisplayTick(s, clock).text, "00:00:05.3");
    // 80 ms after that display tick the elapsed time has passed the next tenth.
    const StopwatchEffects fx = actPause(s, 5450);
    EXPECT_EQ(s.StopwatchReading, "00:00:05.4");
    EXPECT_EQ(fx.timeText, "00:00:05.4");
    actStart(s, 9000);
    EXPECT_EQ(elapsed(s, 9000), 5400u);
}

TEST(Stopwatch, NudgesMoveTheStartTickButNeverBelowZero) {
    enum Nudge { IncSec, DecSec, IncMin, DecMin };
    const struct {
        Nudge nudge;
        std::uint32_t start, tick;
        std::uint32_t elapsedAfter;
    } cases[] = {
        {IncSec, 10'000, 15'000, 6'000},
        {IncMin, 10'000, 15'000, 65'000},
        {DecSec, 10'000, 15'000, 4'000},
        {DecSec, 10'000, 10'999, 0},
        {DecSec, 10'000, 11'000, 0},
        {DecSec, 10'000, 11'500, 500},
        // -1 min one second after Start, and at five minutes.
        {DecMin, 10'000, 11'000, 0},
        {DecMin, 10'000, 310'000, 240'000},
        {DecMin, 10'000, 70'000, 0},
        // Across the counter's wrap: 65.792 s running, started before the wrap.
        {DecMin, 0xFFFF'0000u, 0x100u, 5'792},
        {DecSec, 0xFFFF'FF00u, 0x100u, 0},
        {IncMin, 100, 200, 60'100},
        // Right after boot, the start tick above the counter.
        {DecSec, 0, 400, 0},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(row++);
        ClockState s = freshState();
        s.StopwatchStopped = false;
        s.StopwatchStartTick = c.start;
        switch (c.nudge) {
            case IncSec:
                actStoperIncSec(s);
                break;
            case DecSec:
                actStoperDecSec(s, c.tick);
                break;
            case IncMin:
                actStoperIncMin(s);
                break;
            case DecMin:
                actStoperDecMin(s, c.tick);
                break;
        }
        EXPECT_EQ(elapsed(s, c.tick), c.elapsedAfter);
    }
}

TEST(Stopwatch, NudgeWhilePausedIsOverriddenByTheNextStart) {
    ClockState s = freshState();
    actStart(s, 1000);
    actPause(s, 6000);
    actStoperIncMin(s);
    EXPECT_EQ(s.StopwatchReading, "00:00:05.0");
    EXPECT_TRUE(s.StopwatchPaused);
    actStart(s, 8000);
    EXPECT_EQ(elapsed(s, 8000), 5000u);
}

TEST(Stopwatch, ReadingAndResumeAcrossTheCounterWrap) {
    ClockState s = freshState();
    actStart(s, 0xFFFF'FC18u);  // 1 s before the wrap
    actPause(s, 4000);
    EXPECT_EQ(s.StopwatchReading, "00:00:05.0");
    actStart(s, 0xFFFF'FFFFu);
    EXPECT_EQ(elapsed(s, 0xFFFF'FFFFu), 5000u);
    EXPECT_EQ(elapsed(s, 1000), 6001u);
}

TEST(Stopwatch, LongReadingsResumeIn64Bits) {
    ClockState s = freshState();
    s.StopwatchStopped = false;
    s.StopwatchPaused = true;
    s.StopwatchReading = "600:00:00.0";
    EXPECT_EQ(GetLMs(s), 2'160'000'000);
    actStart(s, 100);
    EXPECT_EQ(elapsed(s, 100), 2'160'000'000u);
    actPause(s, 100);
    EXPECT_EQ(s.StopwatchReading, "600:00:00.0");
}

TEST(Stopwatch, GetLMsReadsTheLayoutAndFallsBackToZero) {
    const struct {
        const char* reading;
        std::int64_t ms;
    } cases[] = {
        {"00:00:00.0", 0},
        {"00:00:05.3", 5'300},
        {"12:34:56.7", 45'296'700},
        {"1193:02:47.2", 4'294'967'200},
        {"", 0},
        {"00:00:05", 0},
        {"00:05.3", 0},
        {"00:00:05.", 0},
        {"xx:00:05.3", 0},
        {"00:0a:05.3", 0},
        {"00:00: 5.3", 0},
    };
    for (const auto& c : cases) {
        ClockState s;
        s.StopwatchReading = c.reading;
        EXPECT_EQ(GetLMs(s), c.ms) << c.reading;
    }
}

TEST(Stopwatch, BlinkAlternatesBetweenTheTwoColours) {
    ClockState s = freshState();
    Colour c = TimerPTimer(s, kWhite);
    EXPECT_EQ(c, kGrey);
    c = TimerPTimer(s, c);
    EXPECT_EQ(c, kWhite);
    // Any other colour goes back to the time colour.
    EXPECT_EQ(TimerPTimer(s, 0x123456), kWhite);
}

}  // namespace
}  // namespace temura
