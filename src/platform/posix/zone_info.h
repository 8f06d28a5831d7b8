#pragma once

#include <QtGlobal>

#include "platform/system_clock.h"

class QTimeZone;

namespace temura {

// The zone as the system-zone record describes it, at the instant utcMsecs (ms since the epoch).
// Daylight time is the part of the local calendar year with the larger UTC offset, whatever the tz
// data calls it, so a zone with "negative daylight saving" (Europe/Dublin) reads like any other.
// A year with one offset, or more than two, has no daylight part. An invalid zone gives Failed.
SysZoneInfo zoneInfoAt(const QTimeZone& zone, qint64 utcMsecs);

}  // namespace temura
