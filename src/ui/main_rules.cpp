#include "ui/main_rules.h"

#include <algorithm>

#include "clock/text_format.h"
#include "clock/zone_arithmetic.h"
#include "zones/world_line.h"

namespace temura {

std::optional<std::string> modeString(const ClockState& s) {
    switch (s.Mode) {
        case kModeTimer: {
            std::string m = s.English ? "T" : "Z";
            if (s.UseTZ && s.ZoneShift > 0) m += "+";
            if (s.UseTZ && s.ZoneShift < 0) m += "-";
            return m;
        }
        case kModeETime:
            return "E";
        case kModeWindows:
            return "W";
        case kModeUtc:
            return "U";
        case kModeStopwatch:
            return "S";
        default:
            return std::nullopt;
    }
}

std::uint8_t nextMode(std::uint8_t mode) {
    return mode >= kModeStopwatch ? 0 : static_cast<std::uint8_t>(mode + 1);
}
std::uint8_t nextTimeFormat(std::uint8_t format) {
    return format >= 2 ? 0 : static_cast<std::uint8_t>(format + 1);
}
std::uint8_t nextETimeFormat(std::uint8_t format) {
    return format >= 2 ? 0 : static_cast<std::uint8_t>(format + 1);
}
std::uint8_t nextDateFormat(std::uint8_t format) {
    return format >= 5 ? 0 : static_cast<std::uint8_t>(format + 1);
}

int stepFontSize(int size, int step) {
    return std::clamp(size + step, kMinFontSize, kMaxFontSize);
}

Colour pausedColour(Colour rgb) {
    Colour out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int v = static_cast<int>((rgb >> shift) & 0xFFu);
        const int p = v <= 165 ? v + 90 : v - 68;
        out |= static_cast<Colour>(p) << shift;
    }
    return out;
}

std::string placeholderTimeText(const ClockState& s) {
    if (s.Mode == kModeETime) {
        if (s.ETimeFormat == 2) return "@000.00";
        if (s.ETimeFormat == 1) return "@000.0";
        return "@000";
    }
    if (s.Mode == kModeStopwatch) return "00:00:00.0";
    if (s.TimeFormat == 0) return "00:00";
    if (s.TimeFormat == 1) return "00:00:00";
    return "00:00:00.0";
}

int computeWidth(const LayoutInput& in) {
    int w = in.timeTextWidth + in.textMarginX;
    if (in.modeVisible) w += in.modeTextWidth + in.modeGapX;
    if (in.dateVisible) w = std::max(w, in.dateTextWidth + in.textMarginX);
    if (in.tzShown) w = std::max(w, in.tzTextWidth + in.textMarginX);
    if (in.worldCount > 0) w = std::max(w, in.worldTextWidth + in.textMarginX);
    if (in.modeVisible) {
        // The time is centred, so two more pixels of width move its ink one to the right.
        const int timeInk = (w - in.timeTextWidth) / 2 + in.timeInkLeft;
        const int gap = timeInk - (in.modeLeft + in.modeInkRight) - 1;
        if (gap < kModeInkGap) w += 2 * (kModeInkGap - gap);
    }
    return w;
}

Layout computeLayout(const LayoutInput& in) {
    Layout out;
    out.width = computeWidth(in);
    int h = in.zeroHeightTime + 2;
    out.timeHeight = h;
    if (in.dateVisible) h += in.zeroHeightDate;
    if (in.tzShown) h += in.tzLabelHeight;
    out.worldLeft = in.textMarginX / 2;
    out.worldTop = h;
    h += std::max(0, in.worldCount) * in.worldLineHeight;
    out.buttonsTop = h;
    h += in.captionExtra;
    out.formHeightCalc = h;
    out.windowHeight = in.buttonsShown ? h + in.buttonHeight : h;
    out.minWidth = 3 * in.buttonHeight;
    return out;
}

bool tzLineShown(const ClockState& s) {
    return s.Mode == kModeTimer && s.TZVisible;
}

const std::string& tzLineText(ClockState& s) {
    if (!s.UseTZ) s.TZName = s.SysZoneName;
    return s.TZName;
}

ButtonRow buttonRow(int windowWidth) {
    ButtonRow r;
    r.width = windowWidth / 3;
    r.startLeft = 0;
    r.pauseLeft = windowWidth / 2 - r.width / 2;
    r.stopLeft = windowWidth - r.width;
    return r;
}

namespace {

void show(DisplayTick& out, ClockState& s, const TimeText& t) {
    out.text = t.text;
    if (t.key != s.LastTickValue) {
        out.playTick = true;
        s.LastTickValue = t.key;
    }
}

}  // namespace

DisplayTick runDisplayTick(ClockState& s, const SystemClock& clock) {
    DisplayTick out;
    switch (s.Mode) {
        case kModeStopwatch:
            if (!s.StopwatchEverStarted) out.text = "00:00:00.0";
            if (s.StopwatchPaused || s.StopwatchStopped) {
                out.endEarly = true;
                return out;
            }
            show(out, s, ElapsedText(clock.tickCount() - s.StopwatchStartTick));
            break;
        case kModeTimer:
            show(out, s,
                 s.UseTZ ? ZoneTimeText(clock.localTime(), s.ZoneShift, s.TimeFormat)
                         : LocalTimeText(clock.localTime(), s.TimeFormat));
            break;
        case kModeUtc:
            show(out, s, UtcTimeText(clock.utcTime(), s.TimeFormat));
            break;
        case kModeWindows:
            show(out, s, UptimeText(clock.uptimeMs(), s.TimeFormat));
            break;
        case kModeETime:
            show(out, s, ETimeText(clock.localTime(), s.SysInDST, s.ETimeFormat));
            break;
        default:
            break;
    }
    return out;
}

}  // namespace temura

namespace temura {

namespace {

// Time left to the next multiple of `step` for a position within a repeating count.
std::int64_t toNextBoundary(std::int64_t position, std::int64_t step) {
    return step - (position % step);
}

// The smallest unit a time layout shows: a minute, a second or a tenth; no more than a second
// while each second sounds a tick.
std::int64_t timeStep(int timeFormat, bool tickSounds) {
    if (timeFormat == 0) return tickSounds ? 1000 : 60'000;
    if (timeFormat == 1) return 1000;
    return 100;
}

std::int64_t msOfDay(const SystemTime& t) {
    return static_cast<std::int64_t>(MsOfDay(t));
}

}  // namespace

int msUntilNextChange(const ClockState& s, const SystemClock& clock, bool tickSounds) {
    std::int64_t wait = kIdleTickMs;
    switch (s.Mode) {
        case kModeTimer:
            // A zone's shift is whole minutes, so its boundaries are the local clock's.
            wait = toNextBoundary(msOfDay(clock.localTime()), timeStep(s.TimeFormat, tickSounds));
            break;
        case kModeUtc:
            wait = toNextBoundary(msOfDay(clock.utcTime()), timeStep(s.TimeFormat, tickSounds));
            break;
        case kModeWindows:
            wait = toNextBoundary(static_cast<std::int64_t>(clock.uptimeMs() % 86'400'000ULL),
                                  timeStep(s.TimeFormat, tickSounds));
            break;
        case kModeETime: {
            // One shown unit is 86.4 s, 8.64 s or 0.864 s of the (standard-time) day.
            const std::int64_t step = s.ETimeFormat == 0   ? 86'400
                                      : s.ETimeFormat == 1 ? 8'640
                                                           : 864;
            std::int64_t x = msOfDay(clock.localTime()) - (s.SysInDST ? 3'600'000 : 0);
            x = ((x % kMsPerDay) + kMsPerDay) % kMsPerDay;
            wait = toNextBoundary(x, step);
            break;
        }
        case kModeStopwatch:
            if (!s.StopwatchPaused && !s.StopwatchStopped) {
                const std::uint32_t elapsed = clock.tickCount() - s.StopwatchStartTick;
                wait = toNextBoundary(elapsed, 100);
            }
            break;
        default:
            break;
    }
    // The time line of T and U changes at least as often as the world lines.
    if (s.Mode != kModeTimer && s.Mode != kModeUtc && worldLinesShown(s))
        wait = std::min(wait, msUntilWorldChange(s, clock.utcTime()));
    return static_cast<int>(wait) + kTickSlackMs;
}

bool slowTickDue(std::uint32_t msSinceSlowTick, int untilChangeMs) {
    const std::int64_t since = msSinceSlowTick;
    return since >= kSlowTickMs - kSlowTickEarlyMs ||
           since + untilChangeMs > kSlowTickMs + kSlowTickLateMs;
}

int nextWakeMs(int untilChangeMs, std::uint32_t msSinceSlowTick) {
    const std::int64_t slowWait =
        std::max<std::int64_t>(0, std::int64_t{kSlowTickMs} - std::int64_t{msSinceSlowTick});
    if (untilChangeMs <= slowWait + kSlowTickLateMs) return untilChangeMs;
    return static_cast<int>(slowWait);
}

}  // namespace temura
