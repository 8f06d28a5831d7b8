#pragma once

#include <cstdint>
#include <optional>

#include "platform/system_clock.h"

namespace temura {

// Date-times are days since 1899-12-30 00:00, the fraction being the time of day. Before that day
// the integer part is still the day and the fraction's absolute value the time, so -1.25 is
// 1899-12-29 06:00 (not 18:00). Valid dates are years 1..9999 of the Gregorian calendar.
using DateTime = double;

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr double kOneMsInDays = 1.0 / 86'400'000.0;

bool isLeapYear(int year);
// 0 for a month outside 1..12.
int daysInMonth(int year, int month);
// 0 = Sunday.
int dayOfWeek(int year, int month, int day);

// Empty when the parts do not form a valid date-time (month 0, 31-02, hour 24 ...).
std::optional<DateTime> tryEncodeDateTime(int year, int month, int day, int hour, int minute,
                                          int second, int millisecond);
// 0 (the "none" date-time) when the parts are not valid; dayOfWeek is ignored.
DateTime encodeDateTime(const SystemTime& t);
// Rounded to the nearest millisecond; dayOfWeek filled in. Values beyond years 1..9999 are
// clamped to them, NaN counts as 0.
SystemTime decodeDateTime(DateTime dt);

// Shifts a date-time by whole minutes, the way the date line and previews do: (dt * 1440 + m) /
// 1440, taken on the plain number line when a date-time before 1899-12-30 is involved.
DateTime addMinutes(DateTime dt, std::int64_t minutes);

}  // namespace temura
