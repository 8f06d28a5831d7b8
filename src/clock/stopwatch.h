#pragma once

// The stopwatch: its states and actions over ClockState, counted on the system's 32-bit
// millisecond tick, which the caller reads and passes in so that the rules run without a clock.

#include <cstdint>
#include <optional>
#include <string>

#include "clock/clock_state.h"

namespace temura {

inline constexpr const char* kZeroReading = "00:00:00.0";
// The application's title: "Paused" while the stopwatch is paused, else the program's name.
inline constexpr const char* kTitleRunning = "Temura";
inline constexpr const char* kTitlePaused = "Paused";

// What the window has to do after a stopwatch action; an empty value leaves that thing alone.
struct StopwatchEffects {
    std::optional<std::string> timeText;  // new text for the time line
    bool resetTimeColour = false;         // time line back to TimerFontColor
    std::optional<bool> blink;            // start (true) or stop (false) the 500 ms blink
    std::optional<std::string> title;     // new application title
    bool enableDisplayTick = false;       // make sure the 100 ms display tick runs
    bool relayout = false;                // re-lay the window out
};

bool stopwatchRunning(const ClockState& s);

// Start, resume from a paused reading, or restart at zero.
StopwatchEffects actStart(ClockState& s, std::uint32_t tick);
StopwatchEffects actPause(ClockState& s, std::uint32_t tick);
// A second Stop in the Stopwatch mode clears the reading.
StopwatchEffects actStop(ClockState& s, std::uint32_t tick);
StopwatchEffects actClear(ClockState& s);

// Nudges move only the start tick, so they show only while running; a paused reading is taken
// over again by the next Start. A backward nudge never takes the reading below zero.
StopwatchEffects actStoperIncSec(ClockState& s);
StopwatchEffects actStoperDecSec(ClockState& s, std::uint32_t tick);
StopwatchEffects actStoperIncMin(ClockState& s);
StopwatchEffects actStoperDecMin(ClockState& s, std::uint32_t tick);

// Milliseconds of the frozen reading "H:MM:SS.t" (hours unbounded); 0 when it does not parse.
// 64 bits: readings beyond 596 hours do not fit a signed 32-bit count.
std::int64_t GetLMs(const ClockState& s);

// The blink: the time line's next colour, given its current one.
Colour TimerPTimer(const ClockState& s, Colour current);

}  // namespace temura
