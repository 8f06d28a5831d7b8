#include "clock/text_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "clock/zone_arithmetic.h"

namespace temura {

namespace {

constexpr std::int64_t kMsPerHour = 3'600'000;
constexpr std::int64_t kMsPerMinute = 60'000;

std::string pad2(std::uint64_t n) {
    return PadLeft(std::to_string(n), 2, '0');
}

std::string pad2(std::int64_t n) {
    return PadLeft(std::to_string(n), 2, '0');
}

std::string pad2(int n) {
    return pad2(std::int64_t{n});
}

std::int16_t keyOf(int seconds) {
    return static_cast<std::int16_t>(seconds);
}

std::int64_t msOfDay(const SystemTime& t) {
    return ((std::int64_t{t.hour} * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

TimeFields fieldsOfMs(std::uint64_t ms) {
    TimeFields f;
    f.hours = ms / kMsPerHour;
    f.minutes = static_cast<int>(ms % kMsPerHour / kMsPerMinute);
    f.seconds = static_cast<int>(ms % kMsPerMinute / 1000);
    f.tenths = static_cast<int>(ms % 1000 / 100);
    return f;
}

TimeFields fieldsOf(const SystemTime& t) {
    TimeFields f;
    f.hours = t.hour < 0 ? 0 : static_cast<std::uint64_t>(t.hour);
    f.minutes = t.minute;
    f.seconds = t.second;
    f.tenths = t.millisecond / 100;
    return f;
}

// The time of day of a zone that runs `shiftMinutes` ahead of local time. The shift is first
// reduced to less than a day so that no shift, however large, can overflow.
TimeFields shiftedFields(const SystemTime& local, std::int64_t shiftMinutes) {
    const std::int64_t t = msOfDay(local) + (shiftMinutes % 1440) * kMsPerMinute;
    const std::int64_t inDay = (t % kMsPerDay + kMsPerDay) % kMsPerDay;
    return fieldsOfMs(static_cast<std::uint64_t>(inDay));
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::uint32_t hexValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
    return static_cast<std::uint32_t>(c - 'A' + 10);
}

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// A day-month number: an integer text in 0..65535, else nothing.
bool parseUnsigned16(const std::string& text, std::uint16_t& out) {
    std::int32_t v = 0;
    if (!TryParseInt(text, v) || v < 0 || v > 0xFFFF) return false;
    out = static_cast<std::uint16_t>(v);
    return true;
}

}  // namespace

LocaleNames englishLocaleNames() {
    return LocaleNames{
        {"January", "February", "March", "April", "May", "June", "July", "August", "September",
         "October", "November", "December"},
        {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
        {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
    };
}

std::string formatTime(const TimeFields& f, int timeFormat) {
    std::string text = pad2(f.hours) + ":" + pad2(f.minutes);
    if (timeFormat == 0) return text;
    text += ":" + pad2(f.seconds);
    if (timeFormat == 1) return text;
    return text + "." + std::to_string(f.tenths);
}

TimeText LocalTimeText(const SystemTime& local, int timeFormat) {
    return {formatTime(fieldsOf(local), timeFormat), keyOf(local.second)};
}

TimeText ZoneTimeText(const SystemTime& local, std::int64_t zoneShift, int timeFormat) {
    const TimeFields f = shiftedFields(local, zoneShift);
    return {formatTime(f, timeFormat), keyOf(f.seconds)};
}

TimeText UtcTimeText(const SystemTime& utc, int timeFormat) {
    return {formatTime(fieldsOf(utc), timeFormat), keyOf(utc.second)};
}

TimeText UptimeText(std::uint64_t msSinceStart, int timeFormat) {
    const TimeFields f = fieldsOfMs(msSinceStart);
    return {formatTime(f, timeFormat), keyOf(f.seconds)};
}

TimeText ElapsedText(std::uint32_t elapsedMs) {
    const TimeFields f = fieldsOfMs(elapsedMs);
    return {formatTime(f, 2), keyOf(f.seconds)};
}

TimeText formatETime(double value, int eTimeFormat) {
    const TimeText failed{"@", 0};
    if (!(value >= 0.0 && value < 1000.0)) return failed;

    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    if (ec != std::errc{}) return failed;
    std::string digits(buf, end);
    const std::size_t point = digits.find('.');
    if (point == std::string::npos) return failed;
    digits = std::string(3 - std::min<std::size_t>(point, 3), '0') + digits;
    // A value a hair below 1000 rounds up to 1000.000000; the day has wrapped by then.
    if (digits.size() > 10) digits = "000.000000";

    const std::size_t keep = eTimeFormat == 0 ? 3 : eTimeFormat == 1 ? 5 : 6;
    digits.resize(keep);
    return {"@" + digits, static_cast<std::int16_t>(digits.back() - '0')};
}

TimeText ETimeText(const SystemTime& local, bool sysInDST, int eTimeFormat) {
    return formatETime(eTimeValue(local, sysInDST), eTimeFormat);
}

std::string PreviewTimeText(const SystemTime& local, std::int64_t previewShift) {
    return formatTime(shiftedFields(local, previewShift), 1);
}

std::string DateText(const SystemTime& now, std::int64_t shiftMinutes, int dateFormat,
                     const LocaleNames& names) {
    const SystemTime d = decodeDateTime(addMinutes(encodeDateTime(now), shiftMinutes));
    const auto month = static_cast<std::size_t>(d.month - 1);
    const auto weekday = static_cast<std::size_t>(d.dayOfWeek);
    const std::string dd = pad2(d.day);
    const std::string mm = pad2(d.month);
    const std::string yyyy = std::to_string(d.year);
    const std::string numeric = dd + "." + mm + "." + yyyy;

    switch (dateFormat) {
        case 0:
            return names.longDay[weekday] + ", " + dd + " " + names.longMonth[month] + " " + yyyy;
        case 1:
            return names.shortDay[weekday] + ", " + dd + " " + names.shortMonth[month] + " " + yyyy;
        case 3:
            return names.shortDay[weekday] + ", " + numeric;
        case 4:
            return numeric;
        case 5:
            return yyyy + "." + mm + "." + dd;
        default:
            return names.longDay[weekday] + ", " + numeric;
    }
}

std::string OffsetText(std::int64_t minutes) {
    if (minutes == 0) return "00:00";
    // Magnitudes in unsigned arithmetic so that even the most negative value has one.
    const std::uint64_t magnitude =
        minutes < 0 ? 0 - static_cast<std::uint64_t>(minutes) : static_cast<std::uint64_t>(minutes);
    const std::string sign = minutes < 0 ? "-" : "+";
    return sign + pad2(magnitude / 60) + ":" + pad2(magnitude % 60);
}

std::string TransitionTimeText(const SystemTime& rule) {
    return pad2(rule.hour) + ":" + pad2(rule.minute);
}

std::string TransitionDateText(const SystemTime& rule, int currentYear) {
    if (rule.month == 0 || rule.day == 0) return "00-00";
    const int month = rule.month < 1 ? 1 : rule.month > 12 ? 12 : rule.month;
    const int week = rule.day;

    int found = 0;
    if (currentYear >= 1 && currentYear <= 9999) {
        const int last = daysInMonth(currentYear, month);
        if (week >= 5) {
            for (int d = last; d >= 1 && found == 0; --d)
                if (dayOfWeek(currentYear, month, d) == rule.dayOfWeek) found = d;
        } else {
            int count = 0;
            for (int d = 1; d <= last && found == 0; ++d)
                if (dayOfWeek(currentYear, month, d) == rule.dayOfWeek && ++count == week)
                    found = d;
        }
    }
    return (found == 0 ? std::string("xx") : pad2(found)) + "-" + pad2(month);
}

std::pair<std::uint16_t, std::uint16_t> ParseDayMonth(const std::string& text) {
    std::uint16_t first = 0;
    std::uint16_t second = 0;
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos) return {0, 0};
    if (!parseUnsigned16(text.substr(0, dash), first)) return {0, 0};
    if (!parseUnsigned16(text.substr(dash + 1), second)) second = 0;
    return {first, second};
}

std::pair<int, int> ParseHourMin(const std::string& text) {
    const std::size_t firstChar = text.find_first_not_of(" \t");
    const bool negative = firstChar != std::string::npos && text[firstChar] == '-';
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return {0, 0};

    std::int32_t hours = 0;
    if (!TryParseInt(text.substr(0, colon), hours)) return {0, 0};
    std::int32_t minutes = 0;
    if (!TryParseInt(text.substr(colon + 1), minutes)) return {hours, 0};
    // "-00:30" carries its sign only in the text, not in the hours.
    if (hours < 0 || (hours == 0 && negative)) {
        minutes = minutes == std::numeric_limits<std::int32_t>::min()
                      ? std::numeric_limits<std::int32_t>::max()
                      : -minutes;
    }
    return {hours, minutes};
}

std::string YesNoText(bool flag, bool english) {
    if (english) return flag ? "Yes" : "No";
    return flag ? "Tak" : "Nie";
}

bool TextToBool(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) c = upperAscii(c);
    return !(upper == "0" || upper == "FALSE" || upper == "NIE" || upper == "NO");
}

std::string StripQuotes(const std::string& text) {
    const std::size_t first = text.find_first_not_of('"');
    if (first == std::string::npos) return {};
    const std::size_t last = text.find_last_not_of('"');
    return text.substr(first, last - first + 1);
}

std::string PadLeft(const std::string& text, std::size_t length, char fill) {
    if (text.size() >= length) return text;
    return std::string(length - text.size(), fill) + text;
}

bool IsInteger(const std::string& text) {
    std::int32_t ignored = 0;
    return TryParseInt(text, ignored);
}

bool TryParseInt(const std::string& text, std::int32_t& out) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        i += 1;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return false;

    if (hex) {
        // Hex texts are 32-bit patterns: $FFFFFFFF is -1.
        std::uint64_t value = 0;
        for (; i < text.size(); ++i) {
            if (!isHexDigit(text[i])) return false;
            value = value * 16 + hexValue(text[i]);
            if (value > 0xFFFF'FFFFu) return false;
        }
        auto bits = static_cast<std::uint32_t>(value);
        if (negative) bits = 0u - bits;
        out = static_cast<std::int32_t>(bits);
        return true;
    }

    const std::uint64_t limit = negative ? 0x8000'0000u : 0x7FFF'FFFFu;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (value > limit) return false;
    }
    const auto signedValue = static_cast<std::int64_t>(value);
    out = static_cast<std::int32_t>(negative ? -signedValue : signedValue);
    return true;
}

}  // namespace temura
