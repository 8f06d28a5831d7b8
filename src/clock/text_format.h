#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "clock/date_time.h"
#include "platform/system_clock.h"

namespace temura {

// A shown text and its tick key: the display tick sounds the tick when the key changes.
struct TimeText {
    std::string text;
    std::int16_t key = 0;
};

// The user's locale's day and month names, handed in by the GUI (UTF-8).
struct LocaleNames {
    std::array<std::string, 12> longMonth;
    std::array<std::string, 12> shortMonth;
    std::array<std::string, 7> longDay;   // from Sunday
    std::array<std::string, 7> shortDay;  // from Sunday
};

// English names, for tests and as a fallback.
LocaleNames englishLocaleNames();

// Time of day fields shared by the time layouts.
struct TimeFields {
    std::uint64_t hours = 0;  // not limited to 24
    int minutes = 0;
    int seconds = 0;
    int tenths = 0;
};

// Layout 0 HH:MM, 1 HH:MM:SS, 2 and any other value HH:MM:SS.t. Every time routine's key is the
// shown seconds.
std::string formatTime(const TimeFields& f, int timeFormat);

TimeText LocalTimeText(const SystemTime& local, int timeFormat);
// The time of a zone `zoneShift` minutes ahead of local time, wrapped into one day whatever the
// shift.
TimeText ZoneTimeText(const SystemTime& local, std::int64_t zoneShift, int timeFormat);
TimeText UtcTimeText(const SystemTime& utc, int timeFormat);
// Hours are not limited to 24; 64-bit milliseconds so that the reading does not wrap after 49.7
// days.
TimeText UptimeText(std::uint64_t msSinceStart, int timeFormat);
TimeText ElapsedText(std::uint32_t elapsedMs);
// The e-Time text of the local time (the count of eTimeValue in clock/zone_arithmetic.h).
TimeText ETimeText(const SystemTime& local, bool sysInDST, int eTimeFormat);
// "@" and the count with 0, 1 or 2 (any other format) decimals, cut rather than rounded; the key
// is the last digit. A value outside [0, 1000) gives "@" alone.
TimeText formatETime(double value, int eTimeFormat);
std::string PreviewTimeText(const SystemTime& local, std::int64_t previewShift);
// The date of `now` moved by whole minutes, in one of six layouts; any format outside 0..5 uses
// layout 2. An invalid `now` counts as 1899-12-30.
std::string DateText(const SystemTime& now, std::int64_t shiftMinutes, int dateFormat,
                     const LocaleNames& names);
std::string OffsetText(std::int64_t minutes);

// A transition record of the zone table read as a yearly rule (the record's year is unused).
std::string TransitionTimeText(const SystemTime& rule);
// The rule's day in `currentYear` as "dd-mm": rule.day is the week (1..4, 5 or more = last) of
// the weekday rule.dayOfWeek. "00-00" for no rule (month or week 0); the month is clamped to
// 1..12; the day part is "xx" when no such day exists (weekday outside 0..6, week below 1, year
// outside 1..9999).
std::string TransitionDateText(const SystemTime& rule, int currentYear);

// First and second number of "dd-mm"; both 0 when the text does not parse. A part that is not an
// integer in 0..65535 does not parse: a bad first part gives (0, 0), a bad second part leaves the
// second number 0.
std::pair<std::uint16_t, std::uint16_t> ParseDayMonth(const std::string& text);
// Signed hours and signed minutes of "+hh:mm" / "-hh:mm"; (0, 0) without ":" or when the hours
// are not an integer, minutes 0 when only they are not.
std::pair<int, int> ParseHourMin(const std::string& text);
inline std::int64_t ParseHourMinTotal(const std::string& text) {
    auto [h, m] = ParseHourMin(text);
    return std::int64_t{h} * 60 + m;
}

std::string YesNoText(bool flag, bool english);
bool TextToBool(const std::string& text);
std::string StripQuotes(const std::string& text);
std::string PadLeft(const std::string& text, std::size_t length, char fill);
// TextToBool: "0", "false", "nie" and "no" in any ASCII letter case are false, all else true.
// PadLeft counts bytes, which is right for the digit texts it pads.
//
// Integer texts are strict: an optional "+" or "-", then decimal digits within the 32-bit signed
// range, and nothing else (no blanks, no empty digits). Hex is accepted as "$1F", "0x1F" or "0X1F"
// (also after a sign): up to 32 bits, read as a two's-complement pattern, so "$FFFFFFFF" is -1 and
// "-$10" is -16.
bool IsInteger(const std::string& text);
// Value of an integer text as IsInteger accepts it; `out` is untouched on failure.
bool TryParseInt(const std::string& text, std::int32_t& out);

}  // namespace temura
