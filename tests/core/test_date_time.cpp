#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "clock/date_time.h"

namespace temura {
namespace {

struct KnownDay {
    int year, month, day;
    double serial;
    int weekday;
};

// Day numbers and weekdays checked against an independent calendar.
constexpr KnownDay kKnownDays[] = {
    {1899, 12, 30, 0, 6},    {1899, 12, 31, 1, 0},    {1900, 1, 1, 2, 1},
    {1900, 3, 1, 61, 4},  // 1900 is not a leap year
    {1970, 1, 1, 25569, 4},  {2000, 1, 1, 36526, 6},  {2000, 2, 29, 36585, 2},
    {2024, 2, 29, 45351, 4}, {2026, 12, 7, 46363, 1}, {9999, 12, 31, 2958465, 5},
    {1, 1, 1, -693593, 1},   {1899, 12, 29, -1, 5},
};

TEST(DateTime, KnownDaysEncodeDecodeAndWeekday) {
    for (const auto& k : kKnownDays) {
        SCOPED_TRACE(std::to_string(k.year) + "-" + std::to_string(k.month) + "-" +
                     std::to_string(k.day));
        const auto dt = tryEncodeDateTime(k.year, k.month, k.day, 0, 0, 0, 0);
        ASSERT_TRUE(dt.has_value());
        EXPECT_EQ(*dt, k.serial);
        EXPECT_EQ(dayOfWeek(k.year, k.month, k.day), k.weekday);

        const SystemTime t = decodeDateTime(k.serial);
        EXPECT_EQ(t.year, k.year);
        EXPECT_EQ(t.month, k.month);
        EXPECT_EQ(t.day, k.day);
        EXPECT_EQ(t.dayOfWeek, k.weekday);
        EXPECT_EQ(t.hour, 0);
    }
}

// Walks every day of years 1..9999 and checks that consecutive day numbers are consecutive
// calendar days, which catches any slip in the day-number arithmetic at month, leap-day or
// century edges.
TEST(DateTime, EveryDayFollowsThePreviousOne) {
    SystemTime prev = decodeDateTime(-693593);
    ASSERT_EQ(prev.year, 1);
    int weekday = prev.dayOfWeek;
    for (double n = -693592; n <= 2958465; ++n) {
        const SystemTime t = decodeDateTime(n);
        weekday = (weekday + 1) % 7;
        const bool nextDay = t.year == prev.year && t.month == prev.month && t.day == prev.day + 1;
        const bool nextMonth = t.year == prev.year && t.month == prev.month + 1 && t.day == 1 &&
                               prev.day == daysInMonth(prev.year, prev.month);
        const bool nextYear = t.year == prev.year + 1 && t.month == 1 && t.day == 1 &&
                              prev.month == 12 && prev.day == 31;
        if (!(nextDay || nextMonth || nextYear) || t.dayOfWeek != weekday) {
            FAIL() << "day " << n << " decodes to " << t.year << "-" << t.month << "-" << t.day
                   << " after " << prev.year << "-" << prev.month << "-" << prev.day;
        }
        prev = t;
    }
    EXPECT_EQ(prev.year, 9999);
}

TEST(DateTime, InvalidPartsAreRejected) {
    struct Parts {
        int y, mo, d, h, mi, s, ms;
    };
    const Parts invalid[] = {
        {2026, 0, 1, 0, 0, 0, 0},    {2026, 13, 1, 0, 0, 0, 0}, {2026, 1, 0, 0, 0, 0, 0},
        {2026, 2, 29, 0, 0, 0, 0},   {2026, 4, 31, 0, 0, 0, 0}, {2026, 1, 1, 24, 0, 0, 0},
        {2026, 1, 1, -1, 0, 0, 0},   {2026, 1, 1, 0, 60, 0, 0}, {2026, 1, 1, 0, 0, 60, 0},
        {2026, 1, 1, 0, 0, 0, 1000}, {2026, 1, 1, 0, 0, -1, 0}, {0, 1, 1, 0, 0, 0, 0},
        {10000, 1, 1, 0, 0, 0, 0},   {2026, 1, -3, 0, 0, 0, 0},
    };
    for (const auto& p : invalid) {
        EXPECT_FALSE(tryEncodeDateTime(p.y, p.mo, p.d, p.h, p.mi, p.s, p.ms).has_value())
            << p.y << "-" << p.mo << "-" << p.d << " " << p.h << ":" << p.mi << ":" << p.s << "."
            << p.ms;
        EXPECT_EQ(encodeDateTime(SystemTime{p.y, p.mo, 0, p.d, p.h, p.mi, p.s, p.ms}), 0.0);
    }
    EXPECT_TRUE(tryEncodeDateTime(2024, 2, 29, 23, 59, 59, 999).has_value());
    EXPECT_EQ(daysInMonth(2026, 0), 0);
    EXPECT_EQ(daysInMonth(2026, 13), 0);
}

TEST(DateTime, TimeOfDayRoundTripsToTheMillisecond) {
    const SystemTime cases[] = {
        {2026, 12, 0, 7, 12, 0, 0, 0},      {2026, 12, 0, 7, 23, 59, 59, 999},
        {2026, 3, 0, 29, 2, 0, 0, 1},       {1, 1, 0, 1, 13, 14, 15, 16},
        {9999, 12, 0, 31, 23, 59, 59, 999}, {1899, 12, 0, 29, 6, 0, 0, 0},
        {1850, 7, 0, 4, 18, 30, 5, 250},
    };
    for (const auto& c : cases) {
        const SystemTime t = decodeDateTime(encodeDateTime(c));
        EXPECT_EQ(t.year, c.year);
        EXPECT_EQ(t.month, c.month);
        EXPECT_EQ(t.day, c.day);
        EXPECT_EQ(t.hour, c.hour);
        EXPECT_EQ(t.minute, c.minute);
        EXPECT_EQ(t.second, c.second);
        EXPECT_EQ(t.millisecond, c.millisecond) << c.year << "-" << c.month << "-" << c.day;
    }
    EXPECT_EQ(encodeDateTime({2026, 12, 0, 7, 12, 0, 0, 0}), 46363.5);
}

TEST(DateTime, BeforeDayZeroTheFractionIsTheTime) {
    EXPECT_EQ(encodeDateTime({1899, 12, 0, 29, 6, 0, 0, 0}), -1.25);
    EXPECT_EQ(encodeDateTime({1899, 12, 0, 28, 18, 0, 0, 0}), -2.75);

    const SystemTime a = decodeDateTime(-1.25);
    EXPECT_EQ(a.day, 29);
    EXPECT_EQ(a.hour, 6);
    // Between -1 and 0 the integer part is day 0.
    const SystemTime b = decodeDateTime(-0.25);
    EXPECT_EQ(b.day, 30);
    EXPECT_EQ(b.hour, 6);
}

TEST(DateTime, DecodeRoundsToTheNearestMillisecond) {
    const double justBeforeMidnight =
        encodeDateTime({2026, 12, 0, 31, 0, 0, 0, 0}) + 1.0 - 0.4 * kOneMsInDays;
    const SystemTime t = decodeDateTime(justBeforeMidnight);
    EXPECT_EQ(t.year, 2027);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.dayOfWeek, 5);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.millisecond, 0);

    const SystemTime u = decodeDateTime(0.5 + 0.6 * kOneMsInDays);
    EXPECT_EQ(u.hour, 12);
    EXPECT_EQ(u.millisecond, 1);

    // A negative date-time that rounds up to the end of its day is the next day's midnight.
    const SystemTime v = decodeDateTime(-1.0 - (1.0 - 0.4 * kOneMsInDays));
    EXPECT_EQ(v.day, 30);
    EXPECT_EQ(v.hour, 0);
}

TEST(DateTime, DecodeClampsValuesOutsideTheCalendar) {
    const SystemTime far = decodeDateTime(1e15);
    EXPECT_EQ(far.year, 9999);
    EXPECT_EQ(far.month, 12);
    EXPECT_EQ(far.day, 31);
    EXPECT_EQ(far.millisecond, 999);
    EXPECT_EQ(decodeDateTime(-1e15).year, 1);
    EXPECT_EQ(decodeDateTime(std::numeric_limits<double>::infinity()).year, 9999);
    const SystemTime nan = decodeDateTime(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(nan.year, 1899);
    EXPECT_EQ(nan.day, 30);
}

TEST(DateTime, AddMinutesCrossesDayMonthAndYear) {
    struct Case {
        SystemTime from;
        std::int64_t minutes;
        SystemTime expected;  // date and time only
    };
    const Case cases[] = {
        {{2026, 12, 0, 31, 23, 30, 0, 0}, 60, {2027, 1, 0, 1, 0, 30, 0, 0}},
        {{2027, 1, 0, 1, 0, 15, 0, 0}, -30, {2026, 12, 0, 31, 23, 45, 0, 0}},
        {{2024, 2, 0, 28, 22, 0, 0, 0}, 180, {2024, 2, 0, 29, 1, 0, 0, 0}},
        {{2026, 2, 0, 28, 22, 0, 0, 0}, 180, {2026, 3, 0, 1, 1, 0, 0, 0}},
        {{2026, 6, 0, 15, 8, 0, 0, 0}, -3 * 1440, {2026, 6, 0, 12, 8, 0, 0, 0}},
        {{2026, 6, 0, 15, 8, 0, 0, 0}, 0, {2026, 6, 0, 15, 8, 0, 0, 0}},
        // Across day 0, where the meaning of the fraction flips.
        {{1899, 12, 0, 30, 6, 0, 0, 0}, -720, {1899, 12, 0, 29, 18, 0, 0, 0}},
        {{1899, 12, 0, 29, 18, 0, 0, 0}, 720, {1899, 12, 0, 30, 6, 0, 0, 0}},
        {{1899, 12, 0, 28, 6, 0, 0, 0}, 60, {1899, 12, 0, 28, 7, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const SystemTime t = decodeDateTime(addMinutes(encodeDateTime(c.from), c.minutes));
        EXPECT_EQ(t.year, c.expected.year);
        EXPECT_EQ(t.month, c.expected.month);
        EXPECT_EQ(t.day, c.expected.day);
        EXPECT_EQ(t.hour, c.expected.hour);
        EXPECT_EQ(t.minute, c.expected.minute)
            << c.from.year << "-" << c.from.month << "-" << c.from.day << " " << c.minutes;
    }
    EXPECT_EQ(addMinutes(1.0, 720), 1.5);
    EXPECT_EQ(addMinutes(0.25, -720), -1.75);
}

}  // namespace
}  // namespace temura
