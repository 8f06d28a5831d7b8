#include "clock/zone_arithmetic.h"

#include <cmath>

namespace temura {

namespace {

// Two instants count as equal when they are less than a millisecond apart.
bool sameInstant(DateTime a, DateTime b) {
    return std::fabs(a - b) < kOneMsInDays;
}

DateTime minusOneSecond(DateTime instant) {
    return (instant * 86400.0 - 1.0) / 86400.0;
}

bool within(DateTime from, DateTime n, DateTime to) {
    return from <= n && n <= to;
}

}  // namespace

void setStartValues(ClockState& s) {
    s.StopwatchPaused = false;
    s.StopwatchStopped = true;
    s.StopwatchEverStarted = false;
    s.StopwatchReading = "00:00:00.0";
    s.ETimeFormat = 1;
    s.TimeFormat = 1;
    s.DateFormat = 2;
    s.DateVisible = true;
    s.TimerFontColor = 0xFFFFFF;
    s.LastTickValue = 0;
    s.TextMarginX = 10;
    s.ModeGapX = 8;
    s.InTray = false;
    s.FileDialogOpen = false;
    s.SeparatorFontName = "Arial";
    s.SeparatorFontSize = 7;
    s.SeparatorColor = 0x00F0FFFF;
    s.ZoneShift = 0;
    s.TZDSTStart = 0;
    s.TZStdStart = 0;
}

void ReadSysZone(ClockState& s, const SystemClock& clock) {
    const SysZoneInfo info = clock.timeZoneInformation();
    s.SysInDST = info.result == ZoneResult::Daylight;
    s.SysInStd = info.result == ZoneResult::Standard;
    s.SysBias = info.bias;
    s.SysStandardBias = info.standardBias;
    s.SysDaylightBias = info.daylightBias;
}

void GetCurrTZName(ClockState& s, const SystemClock& clock) {
    const SysZoneInfo info = clock.timeZoneInformation();
    s.SysZoneName = info.result == ZoneResult::Daylight ? info.daylightName : info.standardName;
}

DateTime sameRuleInYear(DateTime instant, int year) {
    if (instant == 0) return 0;
    const SystemTime t = decodeDateTime(instant);
    const bool last = t.day + 7 > daysInMonth(t.year, t.month);
    const int week = (t.day - 1) / 7;  // 0..3 unless last
    const int dim = daysInMonth(year, t.month);
    if (dim == 0) return 0;
    int day = 0;
    if (last) {
        day = dim - (dayOfWeek(year, t.month, dim) - t.dayOfWeek + 7) % 7;
    } else {
        day = 1 + (t.dayOfWeek - dayOfWeek(year, t.month, 1) + 7) % 7 + 7 * week;
    }
    return tryEncodeDateTime(year, t.month, day, t.hour, t.minute, t.second, t.millisecond)
        .value_or(0);
}

ZoneWindow zoneWindowAt(DateTime dstStart, DateTime stdStart, const SystemTime& nowLocal) {
    // Stored instants carry the year the zone was chosen in; its rules recur every year on a
    // weekday, so compare against this year's change-overs.
    const DateTime d = sameRuleInYear(dstStart, nowLocal.year);
    const DateTime st = sameRuleInYear(stdStart, nowLocal.year);
    ZoneWindow w;
    if (d == 0 || st == 0) return w;
    const DateTime n = encodeDateTime(nowLocal);
    if (sameInstant(d, st)) return w;
    if (d < st) {
        w.inDST = within(d, n, minusOneSecond(st));
        w.inStd = !w.inDST && !within(d, n, st);
    } else {
        w.inDST = !within(st, n, d);
        w.inStd = !w.inDST && within(st, n, minusOneSecond(d));
    }
    return w;
}

void CheckZoneDST(ClockState& s, const SystemTime& nowLocal) {
    if (s.TZName.empty()) return;
    const ZoneWindow w = zoneWindowAt(s.TZDSTStart, s.TZStdStart, nowLocal);
    s.ZoneInDST = w.inDST;
    s.ZoneInStd = w.inStd;
}

std::int64_t systemOffsetMinutes(const SysZoneInfo& info) {
    std::int64_t sys = info.bias;
    if (info.result == ZoneResult::Daylight) sys += info.daylightBias;
    return sys;
}

void CalcZoneShift(ClockState& s, const SystemClock& clock) {
    if (!s.UseTZ) return;
    const std::int64_t sys = systemOffsetMinutes(clock.timeZoneInformation());
    const std::int64_t corr = s.ZoneInDST ? s.TZDSTBias : (s.ZoneInStd ? s.TZStdBias : 0);
    s.ZoneShift = sys + s.TZBias + corr;
}

void applyZone(ClockState& s, const SystemClock& clock, const ZoneSelection& zone) {
    s.TZName = zone.name;
    s.TZBias = zone.bias;
    s.TZDSTBias = zone.dstBias;
    s.TZStdBias = zone.stdBias;
    s.TZDSTStart = zone.dstStart;
    s.TZStdStart = zone.stdStart;
    s.UseTZ = true;
    CheckZoneDST(s, clock);
    CalcZoneShift(s, clock);
}

void actDefaultTimeZoneExecute(ClockState& s) {
    s.TZName.clear();
    s.ZoneInDST = false;
    s.ZoneInStd = false;
    s.ZoneShift = 0;
    s.TZBias = 0;
    s.UseTZ = false;
    s.TZDSTStart = 0;
    s.TZStdStart = 0;
}

std::uint32_t MsOfDay(const SystemTime& t) {
    return static_cast<std::uint32_t>(t.hour) * 3'600'000u +
           static_cast<std::uint32_t>(t.minute) * 60'000u +
           static_cast<std::uint32_t>(t.second) * 1000u + static_cast<std::uint32_t>(t.millisecond);
}

double eTimeValue(const SystemTime& local, bool sysInDST) {
    double x = static_cast<double>(MsOfDay(local));
    if (sysInDST) x -= 3'600'000.0;
    double v = x / 86'400.0;
    if (v >= 1000.0) return 0.0;
    if (v < 0.0) v += 1000.0;
    if (v >= 1000.0) v = 0.0;
    return v;
}

std::int64_t dateShiftMinutes(const ClockState& s) {
    if (s.Mode == kModeUtc) {
        std::int64_t shift = s.SysBias;
        if (s.SysInDST) {
            shift += s.SysDaylightBias;
        } else if (s.SysInStd) {
            shift += s.SysStandardBias;
        }
        return shift;
    }
    if (s.Mode == kModeTimer && s.UseTZ) return s.ZoneShift;
    return 0;
}

}  // namespace temura
