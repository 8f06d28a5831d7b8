#pragma once

#include <cstdint>
#include <string>

#include "clock/clock_state.h"
#include "platform/system_clock.h"

namespace temura {

// A zone as it is taken into use: east-positive minutes and its change-over instants.
struct ZoneSelection {
    std::string name;
    std::int32_t bias = 0;
    std::int32_t dstBias = 0;
    std::int32_t stdBias = 0;
    DateTime dstStart = 0;
    DateTime stdStart = 0;
};

// The start values the clock state takes when the main window is created.
void setStartValues(ClockState& s);

void ReadSysZone(ClockState& s, const SystemClock& clock);
void GetCurrTZName(ClockState& s, const SystemClock& clock);
void CheckZoneDST(ClockState& s, const SystemTime& nowLocal);
void CalcZoneShift(ClockState& s, const SystemClock& clock);
inline void CheckZoneDST(ClockState& s, const SystemClock& clock) {
    CheckZoneDST(s, clock.localTime());
}

// Takes a zone into use and brings its derived figures up to date.
void applyZone(ClockState& s, const SystemClock& clock, const ZoneSelection& zone);
// Switches the selected zone off; the clock shows the system's local time again.
void actDefaultTimeZoneExecute(ClockState& s);

// Whether `now` lies in the daylight and standard windows given by the two instants
// (the same test the time-zone preview uses). Both instants are taken to now's year by
// sameRuleInYear.
struct ZoneWindow {
    bool inDST = false;
    bool inStd = false;
};
ZoneWindow zoneWindowAt(DateTime dstStart, DateTime stdStart, const SystemTime& nowLocal);

// Minutes to add to the local time for the system's own offset from UTC now.
std::int64_t systemOffsetMinutes(const SysZoneInfo& info);

std::uint32_t MsOfDay(const SystemTime& t);
// The e-Time count of the local day, 0 <= v < 1000.
double eTimeValue(const SystemTime& local, bool sysInDST);
// Minutes the date line is shifted by: UTC date in mode 3, the zone's date in mode 0 with a zone.
std::int64_t dateShiftMinutes(const ClockState& s);

// The instant that the weekday rule behind `instant` gives in `year`, at the same wall-clock
// time. The rule is the instant's weekday and its occurrence in the month: 1st to 4th, or the
// last when no later same weekday fits in that month. 0 for an instant of 0 or a year outside
// 1..9999.
DateTime sameRuleInYear(DateTime instant, int year);

}  // namespace temura
