#include "clock/date_time.h"

#include <cmath>

namespace temura {

namespace {

constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;
// Days from 0000-03-01, where the counting below starts, to 1899-12-30.
constexpr std::int64_t kDaysFromEpochToZero = 693'899;

// Whole days between 1899-12-30 and the given proleptic Gregorian date. Counting in 400-year
// eras that start on 1 March puts the leap day at the end of each year, which keeps it short.
std::int64_t dayNumber(std::int64_t year, int month, int day) {
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;                           // 0..399
    const std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;  // 0..11
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146'097 + dayOfEra - kDaysFromEpochToZero;
}

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

CivilDate civilFromDayNumber(std::int64_t n) {
    const std::int64_t z = n + kDaysFromEpochToZero;  // days since 0000-03-01
    const std::int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
    const std::int64_t dayOfEra = z - era * 146'097;  // 0..146096
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const auto day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const auto month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

int weekdayOfDayNumber(std::int64_t n) {
    // Day 0, 1899-12-30, was a Saturday.
    return static_cast<int>(((n + 6) % 7 + 7) % 7);
}

// Before day 0 a date-time keeps the day in its integer part and the time as the fraction's
// absolute value (-1.25 is 1899-12-29 06:00). Arithmetic needs the plain number line instead,
// where that moment is -0.75. For date-times from day 0 on both forms are the same.
double toLinearDays(DateTime dt) {
    if (dt >= 0) return dt;
    const double day = std::trunc(dt);
    return day + (day - dt);
}

DateTime fromLinearDays(double x) {
    if (x >= 0) return x;
    const double day = std::floor(x);
    return day - (x - day);
}

}  // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && isLeapYear(year)) return 29;
    return kDays[month - 1];
}

int dayOfWeek(int year, int month, int day) {
    return weekdayOfDayNumber(dayNumber(year, month, day));
}

std::optional<DateTime> tryEncodeDateTime(int year, int month, int day, int hour, int minute,
                                          int second, int millisecond) {
    if (year < kMinYear || year > kMaxYear) return std::nullopt;
    if (month < 1 || month > 12) return std::nullopt;
    if (day < 1 || day > daysInMonth(year, month)) return std::nullopt;
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60)
        return std::nullopt;
    if (millisecond < 0 || millisecond >= 1000) return std::nullopt;

    const auto days = static_cast<double>(dayNumber(year, month, day));
    const std::int64_t ms = ((std::int64_t{hour} * 60 + minute) * 60 + second) * 1000 + millisecond;
    const double fraction = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
    return days < 0 ? days - fraction : days + fraction;
}

DateTime encodeDateTime(const SystemTime& t) {
    return tryEncodeDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond)
        .value_or(0.0);
}

SystemTime decodeDateTime(DateTime dt) {
    // Keep far-off or non-finite values inside years 1..9999 so the arithmetic stays defined.
    static const std::int64_t kMinMs = dayNumber(kMinYear, 1, 1) * kMsPerDay;
    static const std::int64_t kMaxMs = (dayNumber(kMaxYear, 12, 31) + 1) * kMsPerDay - 1;
    double linear = std::isnan(dt) ? 0.0 : toLinearDays(dt) * static_cast<double>(kMsPerDay);
    if (linear < static_cast<double>(kMinMs)) linear = static_cast<double>(kMinMs);
    if (linear > static_cast<double>(kMaxMs)) linear = static_cast<double>(kMaxMs);
    const std::int64_t totalMs = std::llround(linear);

    std::int64_t days = totalMs / kMsPerDay;
    std::int64_t msOfDay = totalMs % kMsPerDay;
    if (msOfDay < 0) {
        msOfDay += kMsPerDay;
        --days;
    }
    const CivilDate date = civilFromDayNumber(days);

    SystemTime t;
    t.year = static_cast<int>(date.year);
    t.month = date.month;
    t.day = date.day;
    t.dayOfWeek = weekdayOfDayNumber(days);
    t.hour = static_cast<int>(msOfDay / 3'600'000);
    t.minute = static_cast<int>(msOfDay / 60'000 % 60);
    t.second = static_cast<int>(msOfDay / 1000 % 60);
    t.millisecond = static_cast<int>(msOfDay % 1000);
    return t;
}

DateTime addMinutes(DateTime dt, std::int64_t minutes) {
    return fromLinearDays((toLinearDays(dt) * 1440.0 + static_cast<double>(minutes)) / 1440.0);
}

}  // namespace temura
