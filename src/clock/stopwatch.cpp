#include "clock/stopwatch.h"

#include "clock/text_format.h"

namespace temura {

namespace {

constexpr std::uint32_t kSecondMs = 1000;
constexpr std::uint32_t kMinuteMs = 60'000;

std::string elapsedReading(const ClockState& s, std::uint32_t tick) {
    // Unsigned subtraction: the reading stays right across the tick counter's wrap.
    return ElapsedText(tick - s.StopwatchStartTick).text;
}

// Freezes the running reading; the Stopwatch mode shows exactly what was frozen, since the last
// display tick may be up to 100 ms behind.
void freezeReading(ClockState& s, std::uint32_t tick, StopwatchEffects& out) {
    s.StopwatchReading = elapsedReading(s, tick);
    if (s.Mode == kModeStopwatch) out.timeText = s.StopwatchReading;
}

void moveBack(ClockState& s, std::uint32_t tick, std::uint32_t step) {
    // A reading shorter than the step goes to zero rather than below.
    if (tick - s.StopwatchStartTick < step) {
        s.StopwatchStartTick = tick;
    } else {
        s.StopwatchStartTick += step;
    }
}

bool parsePart(const std::string& text, std::int64_t& out) {
    std::int32_t v = 0;
    if (!TryParseInt(text, v)) return false;
    out = v;
    return true;
}

}  // namespace

bool stopwatchRunning(const ClockState& s) {
    return !s.StopwatchPaused && !s.StopwatchStopped;
}

StopwatchEffects actStart(ClockState& s, std::uint32_t tick) {
    StopwatchEffects out;
    s.StopwatchEverStarted = true;
    out.enableDisplayTick = true;
    // Only a pause keeps the reading; a stop, even one paused afterwards, starts from zero.
    if (s.StopwatchPaused && !s.StopwatchStopped) {
        s.StopwatchStartTick = tick - static_cast<std::uint32_t>(GetLMs(s));
    } else {
        s.StopwatchStartTick = tick;
    }
    s.StopwatchPaused = false;
    s.StopwatchStopped = false;
    out.blink = false;
    out.resetTimeColour = true;
    out.title = kTitleRunning;
    out.relayout = true;
    return out;
}

StopwatchEffects actPause(ClockState& s, std::uint32_t tick) {
    StopwatchEffects out;
    if (stopwatchRunning(s)) freezeReading(s, tick, out);
    s.StopwatchPaused = true;
    out.title = kTitlePaused;
    out.blink = true;
    out.relayout = true;
    return out;
}

StopwatchEffects actStop(ClockState& s, std::uint32_t tick) {
    StopwatchEffects out;
    if (s.StopwatchStopped && s.Mode == kModeStopwatch) out = actClear(s);
    if (stopwatchRunning(s)) freezeReading(s, tick, out);
    s.StopwatchStopped = true;
    s.StopwatchPaused = false;
    s.LastTickValue = 0;
    out.blink = false;
    out.title = kTitleRunning;
    out.resetTimeColour = true;
    out.relayout = true;
    return out;
}

StopwatchEffects actClear(ClockState& s) {
    StopwatchEffects out;
    s.StopwatchReading = kZeroReading;
    // In the other modes the next display tick overwrites the time line again.
    out.timeText = s.StopwatchReading;
    return out;
}

StopwatchEffects actStoperIncSec(ClockState& s) {
    s.StopwatchStartTick -= kSecondMs;
    return {};
}

StopwatchEffects actStoperDecSec(ClockState& s, std::uint32_t tick) {
    moveBack(s, tick, kSecondMs);
    return {};
}

StopwatchEffects actStoperIncMin(ClockState& s) {
    s.StopwatchStartTick -= kMinuteMs;
    return {};
}

StopwatchEffects actStoperDecMin(ClockState& s, std::uint32_t tick) {
    moveBack(s, tick, kMinuteMs);
    return {};
}

std::int64_t GetLMs(const ClockState& s) {
    const std::string& r = s.StopwatchReading;
    const std::size_t c1 = r.find(':');
    if (c1 == std::string::npos) return 0;
    const std::size_t c2 = r.find(':', c1 + 1);
    if (c2 == std::string::npos) return 0;
    const std::size_t dot = r.find('.', c2 + 1);
    if (dot == std::string::npos) return 0;

    std::int64_t hours = 0, minutes = 0, seconds = 0, tenths = 0;
    if (!parsePart(r.substr(0, c1), hours) || !parsePart(r.substr(c1 + 1, c2 - c1 - 1), minutes) ||
        !parsePart(r.substr(c2 + 1, dot - c2 - 1), seconds) ||
        !parsePart(r.substr(dot + 1), tenths)) {
        return 0;
    }
    return hours * 3'600'000 + minutes * 60'000 + seconds * 1000 + tenths * 100;
}

Colour TimerPTimer(const ClockState& s, Colour current) {
    return current == s.TimerFontColor ? s.PausedColor : s.TimerFontColor;
}

}  // namespace temura
