#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "clock/text_format.h"

namespace temura {
namespace {

SystemTime timeOfDay(int h, int m, int s = 0, int ms = 0) {
    return SystemTime{2026, 12, 1, 7, h, m, s, ms};
}

TEST(TimeText, LayoutsByTimeFormat) {
    struct Case {
        int format;
        const char* expected;
    };
    const Case cases[] = {
        {0, "09:05"}, {1, "09:05:07"}, {2, "09:05:07.3"}, {7, "09:05:07.3"}, {-1, "09:05:07.3"},
    };
    for (const auto& c : cases) {
        const TimeText local = LocalTimeText(timeOfDay(9, 5, 7, 399), c.format);
        EXPECT_EQ(local.text, c.expected) << "format " << c.format;
        EXPECT_EQ(local.key, 7);
        EXPECT_EQ(UtcTimeText(timeOfDay(9, 5, 7, 399), c.format).text, c.expected);
    }
    EXPECT_EQ(formatTime(TimeFields{123, 4, 5, 6}, 2), "123:04:05.6");
}

TEST(TimeText, ZoneTimeWrapsIntoOneDay) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    struct Case {
        SystemTime local;
        std::int64_t shift;
        const char* expected;  // layout 2
    };
    const Case cases[] = {
        {timeOfDay(23, 30, 15, 700), 60, "00:30:15.7"},
        {timeOfDay(0, 15, 0, 0), -30, "23:45:00.0"},
        {timeOfDay(12, 0, 0, 0), 0, "12:00:00.0"},
        {timeOfDay(12, 0, 0, 0), 3 * 1440 + 90, "13:30:00.0"},
        {timeOfDay(12, 0, 0, 0), -10 * 1440 - 90, "10:30:00.0"},
        {timeOfDay(0, 0, 0, 0), -1, "23:59:00.0"},
        {timeOfDay(23, 59, 59, 999), 1, "00:00:59.9"},
        // Shifts beyond any real zone still land inside the day (checked by hand: the shifts
        // reduce to +1087 and -1088 minutes).
        {timeOfDay(12, 0, 0, 0), kMax, "06:07:00.0"},
        {timeOfDay(12, 0, 0, 0), kMin, "17:52:00.0"},
    };
    for (const auto& c : cases) {
        const TimeText t = ZoneTimeText(c.local, c.shift, 2);
        EXPECT_EQ(t.text, c.expected) << "shift " << c.shift;
        EXPECT_EQ(t.key, c.local.second);
    }
    EXPECT_EQ(ZoneTimeText(timeOfDay(23, 30), 60, 0).text, "00:30");
    EXPECT_EQ(PreviewTimeText(timeOfDay(23, 30, 15, 700), 60), "00:30:15");
    EXPECT_EQ(PreviewTimeText(timeOfDay(0, 15, 9), -30 - 2 * 1440), "23:45:09");
}

TEST(TimeText, UptimeAndElapsedHoursAreUnlimited) {
    EXPECT_EQ(UptimeText(100ull * 3'600'000, 1).text, "100:00:00");
    EXPECT_EQ(UptimeText(26ull * 3'600'000 + 61'000, 0).text, "26:01");
    // Past 2^32 ms (about 49.7 days) the reading goes on instead of wrapping.
    const TimeText beyond = UptimeText((std::uint64_t{1} << 32) + 1000, 2);
    EXPECT_EQ(beyond.text, "1193:02:48.2");
    EXPECT_EQ(beyond.key, 48);
    EXPECT_EQ(UptimeText(0, 2).text, "00:00:00.0");

    EXPECT_EQ(ElapsedText(0).text, "00:00:00.0");
    const TimeText e = ElapsedText(3'723'456);
    EXPECT_EQ(e.text, "01:02:03.4");
    EXPECT_EQ(e.key, 3);
    EXPECT_EQ(ElapsedText(std::numeric_limits<std::uint32_t>::max()).text, "1193:02:47.2");
}

TEST(ETime, TextsByFormatAndDaylight) {
    struct Case {
        SystemTime local;
        bool dst;
        int format;
        const char* expected;
        int key;
    };
    const Case cases[] = {
        {timeOfDay(12, 0), false, 2, "@500.00", 0},
        {timeOfDay(12, 0), false, 1, "@500.0", 0},
        {timeOfDay(12, 0), false, 0, "@500", 0},
        {timeOfDay(12, 0), false, 9, "@500.00", 0},
        // 43 s is 0.4976... units: cut, not rounded.
        {timeOfDay(0, 0, 43), false, 2, "@000.49", 9},
        {timeOfDay(0, 1, 26, 399), false, 0, "@000", 0},
        {timeOfDay(0, 1, 26, 399), false, 1, "@000.9", 9},
        {timeOfDay(0, 0), false, 2, "@000.00", 0},
        {timeOfDay(23, 59, 59, 999), false, 2, "@999.99", 9},
        // While the system observes daylight time the count starts at 01:00.
        {timeOfDay(0, 30), true, 2, "@979.16", 6},
        {timeOfDay(0, 30), true, 1, "@979.1", 1},
        {timeOfDay(1, 0), true, 2, "@000.00", 0},
        {timeOfDay(0, 59, 59, 999), true, 2, "@999.99", 9},
        {timeOfDay(0, 4, 19), true, 0, "@961", 1},
    };
    for (const auto& c : cases) {
        const TimeText t = ETimeText(c.local, c.dst, c.format);
        EXPECT_EQ(t.text, c.expected)
            << c.local.hour << ":" << c.local.minute << ":" << c.local.second << " dst " << c.dst;
        EXPECT_EQ(t.key, c.key) << c.expected;
    }
}

TEST(ETime, ValueFormattingEdges) {
    // Rounding to six decimals can reach 1000: that is the next day's zero, never "@1000".
    EXPECT_EQ(formatETime(999.9999996, 2).text, "@000.00");
    EXPECT_EQ(formatETime(999.9999996, 0).text, "@000");
    EXPECT_EQ(formatETime(999.9999994, 2).text, "@999.99");
    EXPECT_EQ(formatETime(5.5, 1).text, "@005.5");
    EXPECT_EQ(formatETime(5.5, 1).key, 5);
    EXPECT_EQ(formatETime(42.0, 0).text, "@042");
    EXPECT_EQ(formatETime(42.0, 0).key, 2);
    for (const double bad : {-0.001, 1000.0, std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity()}) {
        const TimeText t = formatETime(bad, 2);
        EXPECT_EQ(t.text, "@") << bad;
        EXPECT_EQ(t.key, 0);
    }
}

TEST(DateText, EveryLayout) {
    const SystemTime monday = {2026, 12, 1, 7, 10, 0, 0, 0};
    const LocaleNames en = englishLocaleNames();
    struct Case {
        int format;
        const char* expected;
    };
    const Case cases[] = {
        {0, "Monday, 07 December 2026"}, {1, "Mon, 07 Dec 2026"},   {2, "Monday, 07.12.2026"},
        {3, "Mon, 07.12.2026"},          {4, "07.12.2026"},         {5, "2026.12.07"},
        {6, "Monday, 07.12.2026"},       {7, "Monday, 07.12.2026"}, {-1, "Monday, 07.12.2026"},
        {255, "Monday, 07.12.2026"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateText(monday, 0, c.format, en), c.expected) << "format " << c.format;
}

TEST(DateText, ShiftMovesDateAndWeekday) {
    const LocaleNames en = englishLocaleNames();
    struct Case {
        SystemTime now;
        std::int64_t shift;
        const char* expected;  // layout 2
    };
    const Case cases[] = {
        {{2026, 12, 4, 31, 23, 30, 0, 0}, 60, "Friday, 01.01.2027"},
        {{2027, 1, 5, 1, 0, 15, 0, 0}, -30, "Thursday, 31.12.2026"},
        {{2027, 1, 5, 1, 0, 15, 0, 0}, -15, "Friday, 01.01.2027"},
        {{2024, 2, 3, 28, 22, 0, 0, 0}, 180, "Thursday, 29.02.2024"},
        {{2026, 2, 6, 28, 22, 0, 0, 0}, 180, "Sunday, 01.03.2026"},
        {{2026, 12, 1, 7, 10, 0, 0, 0}, 30 * 1440, "Wednesday, 06.01.2027"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateText(c.now, c.shift, 2, en), c.expected) << "shift " << c.shift;
}

TEST(DateText, NamesComeFromTheLocaleByIndex) {
    LocaleNames names;
    for (std::size_t i = 0; i < 12; ++i) {
        names.longMonth[i] = "LM" + std::to_string(i + 1);
        names.shortMonth[i] = "SM" + std::to_string(i + 1);
    }
    for (std::size_t i = 0; i < 7; ++i) {
        names.longDay[i] = "LD" + std::to_string(i);
        names.shortDay[i] = "SD" + std::to_string(i);
    }
    // 2026-01-04 is a Sunday, 2026-10-31 a Saturday.
    EXPECT_EQ(DateText({2026, 1, 0, 4, 12, 0, 0, 0}, 0, 0, names), "LD0, 04 LM1 2026");
    EXPECT_EQ(DateText({2026, 10, 0, 31, 12, 0, 0, 0}, 0, 1, names), "SD6, 31 SM10 2026");
    EXPECT_EQ(englishLocaleNames().shortMonth[4], "May");
}

TEST(OffsetText, SignedHoursAndMinutes) {
    struct Case {
        std::int64_t minutes;
        const char* expected;
    };
    const Case cases[] = {
        {330, "+05:30"},
        {-210, "-03:30"},
        {-30, "-00:30"},
        {0, "00:00"},
        {60, "+01:00"},
        {-1, "-00:01"},
        {1, "+00:01"},
        {6000, "+100:00"},
        {std::numeric_limits<std::int64_t>::min(), "-153722867280912930:08"},
    };
    for (const auto& c : cases) EXPECT_EQ(OffsetText(c.minutes), c.expected);
}

TEST(ParseHourMin, Variants) {
    struct Case {
        const char* text;
        int hours;
        int minutes;
    };
    const Case cases[] = {
        {"+05:30", 5, 30}, {"-03:30", -3, -30}, {"-00:30", 0, -30},   {"00:00", 0, 0},
        {"-00:01", 0, -1}, {"5", 0, 0},         {"x:30", 0, 0},       {"05:xx", 5, 0},
        {"05:", 5, 0},     {":30", 0, 0},       {"12:-15", 12, -15},  {"+05:30:00", 5, 0},
        {" 05:30", 0, 0},  {"", 0, 0},          {"0x0A:$1E", 10, 30},
    };
    for (const auto& c : cases) {
        const auto [h, m] = ParseHourMin(c.text);
        EXPECT_EQ(h, c.hours) << '"' << c.text << '"';
        EXPECT_EQ(m, c.minutes) << '"' << c.text << '"';
    }
    // Every offset text reads back as the minutes it was made from.
    for (std::int64_t n = -1500; n <= 1500; ++n) ASSERT_EQ(ParseHourMinTotal(OffsetText(n)), n);
}

TEST(ParseDayMonth, Variants) {
    struct Case {
        const char* text;
        int first;
        int second;
    };
    const Case cases[] = {
        {"30-03", 30, 3},     {"00-00", 0, 0},       {"12-xx", 12, 0}, {"70000-03", 0, 0},
        {"03-70000", 3, 0},   {"65535-1", 65535, 1}, {"abc", 0, 0},    {"xx-03", 0, 0},
        {"-5", 0, 0},         {"5--3", 5, 0},        {"5-", 5, 0},     {"29-02-2024", 29, 0},
        {"$1F-0x0C", 31, 12},
    };
    for (const auto& c : cases) {
        const auto [first, second] = ParseDayMonth(c.text);
        EXPECT_EQ(first, c.first) << c.text;
        EXPECT_EQ(second, c.second) << c.text;
    }
}

TEST(TransitionText, RuleDayInTheGivenYear) {
    struct Case {
        int month, dayOfWeek, week, year;
        const char* expected;
    };
    const Case cases[] = {
        {3, 0, 5, 2026, "29-03"},   // last Sunday of March
        {10, 0, 5, 2026, "25-10"},  // last Sunday of October
        {3, 0, 2, 2026, "08-03"},   // second Sunday of March
        {11, 0, 1, 2026, "01-11"},  // a first Sunday on the 1st
        {2, 4, 5, 2024, "29-02"},   // last Thursday of a leap February is the 29th
        {2, 4, 5, 2026, "26-02"},
        {2, 0, 5, 2026, "22-02"},  // February 2026 has only four
                                   // Sundays: the last is the fourth
        {2, 0, 4, 2026, "22-02"},
        {3, 0, 9, 2026, "29-03"},   // any week above 5 means the last
        {13, 0, 1, 2026, "06-12"},  // month clamped to December
        {-2, 0, 1, 2026, "04-01"},  // month clamped to January
        {0, 0, 5, 2026, "00-00"},
        {3, 0, 0, 2026, "00-00"},
        {3, 7, 5, 2026, "xx-03"},
        {3, -1, 1, 2026, "xx-03"},
        {3, 0, -1, 2026, "xx-03"},
        {3, 0, 5, 0, "xx-03"},
    };
    for (const auto& c : cases) {
        SystemTime rule;
        rule.year = 1601;  // the record's own year is not used
        rule.month = c.month;
        rule.dayOfWeek = c.dayOfWeek;
        rule.day = c.week;
        EXPECT_EQ(TransitionDateText(rule, c.year), c.expected)
            << c.month << "/" << c.dayOfWeek << "/" << c.week << "/" << c.year;
    }

    SystemTime rule;
    rule.hour = 2;
    rule.minute = 0;
    EXPECT_EQ(TransitionTimeText(rule), "02:00");
    rule.hour = 23;
    rule.minute = 59;
    EXPECT_EQ(TransitionTimeText(rule), "23:59");
}

TEST(SmallHelpers, YesNoAndTextToBool) {
    EXPECT_EQ(YesNoText(true, true), "Yes");
    EXPECT_EQ(YesNoText(false, true), "No");
    EXPECT_EQ(YesNoText(true, false), "Tak");
    EXPECT_EQ(YesNoText(false, false), "Nie");

    for (const char* no : {"0", "false", "FALSE", "False", "no", "NO", "No", "nie", "NIE", "nIe"})
        EXPECT_FALSE(TextToBool(no)) << no;
    for (const char* yes : {"1", "yes", "Tak", "", "true", "00", "no ", "nope"})
        EXPECT_TRUE(TextToBool(yes)) << '"' << yes << '"';
}

TEST(SmallHelpers, StripQuotesAndPadLeft) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case strip[] = {
        {"\"abc\"", "abc"}, {"\"\"a\"b\"\"", "a\"b"}, {"\"\"\"", ""},
        {"", ""},           {"abc", "abc"},           {"\"C:\\x y\\f.temura", "C:\\x y\\f.temura"},
    };
    for (const auto& c : strip) EXPECT_EQ(StripQuotes(c.text), c.expected) << c.text;

    EXPECT_EQ(PadLeft("5", 2, '0'), "05");
    EXPECT_EQ(PadLeft("123", 2, '0'), "123");
    EXPECT_EQ(PadLeft("", 3, 'x'), "xxx");
    EXPECT_EQ(PadLeft("ab", 2, ' '), "ab");
}

TEST(SmallHelpers, IntegerTexts) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    struct Case {
        const char* text;
        bool ok;
        std::int32_t value;
    };
    const Case cases[] = {{"0", true, 0},
                          {"-0", true, 0},
                          {"+5", true, 5},
                          {"0007", true, 7},
                          {"-2147483648", true, kMin},
                          {"2147483647", true, kMax},
                          {"2147483648", false, 0},
                          {"-2147483649", false, 0},
                          {"99999999999999999999", false, 0},
                          {"", false, 0},
                          {"+", false, 0},
                          {"-", false, 0},
                          {" 5", false, 0},
                          {"5 ", false, 0},
                          {"1.5", false, 0},
                          {"12a", false, 0},
                          {"--5", false, 0},
                          {"$1F", true, 31},
                          {"0x1F", true, 31},
                          {"0X1f", true, 31},
                          {"$FFFFFFFF", true, -1},
                          {"$80000000", true, kMin},
                          {"$0000000000FF", true, 255},
                          {"-$10", true, -16},
                          {"$100000000", false, 0},
                          {"$", false, 0},
                          {"0x", false, 0},
                          {"$G", false, 0},
                          {"x1", false, 0}};
    for (const auto& c : cases) {
        std::int32_t value = 12345;
        EXPECT_EQ(TryParseInt(c.text, value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(IsInteger(c.text), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.ok ? c.value : 12345) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace temura
