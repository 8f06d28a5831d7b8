#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "platform/platform_factory.h"
#include "platform/posix/qt_zone_table.h"

namespace temura {
namespace {

// A rule date as stored: year, month, weekday, occurrence, hour, minute, second, millisecond.
using RuleDate = std::array<int, 8>;
enum { kMonth = 1, kWeekday, kOccurrence, kHour, kMinute };

struct Rule {
    std::int32_t bias, standardBias, daylightBias;
    RuleDate standard, daylight;
};

// Read back independently of how the block was written: little-endian throughout.
Rule decode(const std::vector<std::uint8_t>& b) {
    const auto u32 = [&](std::size_t at, int bytes) {
        std::uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + std::size_t(i)];
        return v;
    };
    const auto date = [&](std::size_t at) {
        RuleDate d{};
        for (std::size_t i = 0; i < d.size(); ++i) d[i] = int(u32(at + 2 * i, 2));
        return d;
    };
    return {std::int32_t(u32(0, 4)), std::int32_t(u32(4, 4)), std::int32_t(u32(8, 4)), date(12),
            date(28)};
}

// The UTC instant at which a rule falls in `year`: the n-th such weekday of the month (5 = the
// last), at a time on the clock in force before the change.
qint64 ruleInstant(int year, const RuleDate& r, int offsetBeforeMinutes) {
    const QDate first(year, r[kMonth], 1);
    QDate day =
        first.addDays((r[kWeekday] - first.dayOfWeek() % 7 + 7) % 7 + 7 * (r[kOccurrence] - 1));
    if (day.month() != r[kMonth]) day = day.addDays(-7);
    const QDateTime wall(day, QTime(r[kHour], r[kMinute]), Qt::UTC);
    return wall.toMSecsSinceEpoch() - qint64(offsetBeforeMinutes) * 60'000;
}

// The UTC offset (minutes east) that the rule block gives at `utcMs`.
int tableOffset(const Rule& rule, int year, qint64 utcMs) {
    const int standard = -(rule.bias + rule.standardBias);
    const int daylight = -(rule.bias + rule.daylightBias);
    if (rule.standard[kMonth] == 0) return standard;
    const qint64 from = ruleInstant(year, rule.daylight, standard);
    const qint64 to = ruleInstant(year, rule.standard, daylight);
    const bool inDaylight = from < to ? utcMs >= from && utcMs < to : utcMs >= from || utcMs < to;
    return inDaylight ? daylight : standard;
}

constexpr RuleDate kNone{};

struct EntryCase {
    const char* zone;
    int year;
    int bias;
    int daylightBias;
    RuleDate standard;
    RuleDate daylight;
    const char* display;
    const char* standardName;
    const char* daylightName;
};

TEST(QtZoneTable, EntriesOfKnownZones) {
    const EntryCase cases[] = {
        // Last Sunday: 29 March is the fifth, 25 October only the fourth Sunday of 2026.
        {"Europe/Warsaw",
         2026,
         -60,
         -60,
         {0, 10, 0, 5, 3, 0, 0, 0},
         {0, 3, 0, 5, 2, 0, 0, 0},
         "(GMT+01:00) Europe/Warsaw",
         "CET",
         "CEST"},
        {"Europe/Warsaw",
         2025,
         -60,
         -60,
         {0, 10, 0, 5, 3, 0, 0, 0},
         {0, 3, 0, 5, 2, 0, 0, 0},
         "(GMT+01:00) Europe/Warsaw",
         "CET",
         "CEST"},
        {"America/New_York",
         2026,
         300,
         -60,
         {0, 11, 0, 1, 2, 0, 0, 0},
         {0, 3, 0, 2, 2, 0, 0, 0},
         "(GMT-05:00) America/New_York",
         "EST",
         "EDT"},
        // Southern hemisphere: daylight time spans the turn of the year.
        {"Australia/Sydney",
         2026,
         -600,
         -60,
         {0, 4, 0, 1, 3, 0, 0, 0},
         {0, 10, 0, 1, 2, 0, 0, 0},
         "(GMT+10:00) Australia/Sydney",
         "AEST",
         "AEDT"},
        {"Asia/Kolkata", 2026, -330, 0, kNone, kNone, "(GMT+05:30) Asia/Kolkata", "IST", "IST"},
        // tz data calls Irish winter time the daylight part; the table, like Windows, summer.
        {"Europe/Dublin",
         2026,
         0,
         -60,
         {0, 10, 0, 5, 2, 0, 0, 0},
         {0, 3, 0, 5, 1, 0, 0, 0},
         "(GMT+00:00) Europe/Dublin",
         "GMT",
         "IST"},
        {"UTC", 2026, 0, 0, kNone, kNone, "(GMT+00:00) UTC", "UTC", "UTC"},
        // One lasting change on 25 March 2023 (-03 to -02): the later offset held longer.
        {"America/Nuuk", 2023, 120, 0, kNone, kNone, "(GMT-02:00) America/Nuuk", "-02", "-02"},
        // Three change-overs in 2018 (daylight time, Ramadan, back): +01 held most of the year,
        // though the year began at +00.
        {"Africa/Casablanca", 2018, -60, 0, kNone, kNone, "(GMT+01:00) Africa/Casablanca", "+01",
         "+01"},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + std::to_string(c.year));
        const std::optional<ZoneTableEntry> entry = zoneTableEntry(QTimeZone(c.zone), c.year);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->key, c.zone);
        EXPECT_FALSE(entry->index.has_value());
        EXPECT_EQ(entry->display, c.display);
        EXPECT_EQ(entry->standardName, c.standardName);
        EXPECT_EQ(entry->daylightName, c.daylightName);
        ASSERT_EQ(entry->rule.value().size(), kZoneRuleSize);
        const Rule rule = decode(*entry->rule);
        EXPECT_EQ(rule.bias, c.bias);
        EXPECT_EQ(rule.standardBias, 0);
        EXPECT_EQ(rule.daylightBias, c.daylightBias);
        EXPECT_EQ(rule.standard, c.standard);
        EXPECT_EQ(rule.daylight, c.daylight);
    }
    EXPECT_FALSE(zoneTableEntry(QTimeZone(), 2026).has_value());
}

TEST(QtZoneTable, ListsPlacesSortedWithoutFixedOffsets) {
    const std::unique_ptr<ZoneTableSource> table = makeZoneTable(2026);
    ASSERT_TRUE(table->available());
    const std::vector<ZoneTableEntry> zones = table->zones();
    ASSERT_GT(zones.size(), 300u);
    EXPECT_TRUE(std::is_sorted(zones.begin(), zones.end(),
                               [](const auto& a, const auto& b) { return a.key < b.key; }));
    bool hasUtc = false;
    for (const ZoneTableEntry& z : zones) {
        SCOPED_TRACE(z.key);
        hasUtc = hasUtc || z.key == "UTC";
        EXPECT_FALSE(z.key.size() > 3 && z.key.starts_with("UTC"));
        EXPECT_EQ(z.rule.value().size(), kZoneRuleSize);
    }
    EXPECT_TRUE(hasUtc);
}

// The rule block of every zone must give Qt's offset wherever the table claims to be exact:
// zones with a rule, and zones whose year has one offset throughout.
TEST(QtZoneTable, RuleBlocksGiveQtsOffsetForEveryZone) {
    for (int year : {2025, 2026}) {
        SCOPED_TRACE(year);
        const QDateTime yearStart(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
        int checked = 0;
        int withRule = 0;
        for (const ZoneTableEntry& z : QtZoneTable(year).zones()) {
            SCOPED_TRACE(z.key);
            const QTimeZone zone(QByteArray::fromStdString(z.key));
            const Rule rule = decode(z.rule.value());
            const auto yearTransitions =
                zone.transitions(yearStart.addDays(-1), yearStart.addYears(1).addDays(1));
            const bool changesOffset =
                std::any_of(yearTransitions.begin(), yearTransitions.end(), [&](const auto& t) {
                    return t.offsetFromUtc != zone.offsetFromUtc(t.atUtc.addSecs(-1));
                });
            // Without a rule but with change-overs, the table is approximate by design.
            if (rule.standard[kMonth] == 0 && changesOffset) continue;
            withRule += rule.standard[kMonth] != 0;
            ++checked;
            for (const QDate day : {QDate(year, 1, 15), QDate(year, 7, 15)}) {
                const QDateTime at(day, QTime(12, 0), Qt::UTC);
                if (!zone.transitions(at.addDays(-1), at.addDays(1)).isEmpty()) continue;
                EXPECT_EQ(tableOffset(rule, year, at.toMSecsSinceEpoch()),
                          zone.offsetFromUtc(at) / 60)
                    << at.toString(Qt::ISODate).toStdString();
            }
        }
        // The loop must really have run over the zones, with and without daylight time.
        EXPECT_GT(checked, 300);
        EXPECT_GT(withRule, 50);
    }
}

}  // namespace
}  // namespace temura
