#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "clock/clock_state.h"
#include "system_catalogue.h"
#include "zones/world_choice.h"
#include "zones/world_line.h"

namespace temura {
namespace {

// Zones whose change-overs no "n-th weekday of a month" rule can follow, so a line copied this
// year cannot know next year's dates.
const std::map<std::string, const char*> kNotWeekdayRules = {
    {"Africa/Casablanca", "its daylight time is suspended for Ramadan, a lunar month"},
    {"Africa/El_Aaiun", "its daylight time is suspended for Ramadan, a lunar month"},
    {"Asia/Gaza", "its change-overs move with the end of Ramadan"},
    {"Asia/Hebron", "its change-overs move with the end of Ramadan"},
};

// Every zone of a catalogue built from the system's zone database, chosen as a world line in
// 2026, must show the zone's true time at noon UTC of every day away from its change-overs, this
// year and next.
TEST(WorldLineOracle, EveryZoneShowsItsTrueTimeThisYearAndNext) {
    constexpr int kYear = 2026;
    test::SystemCatalogue catalogue("world-oracle", kYear);
    const int built = catalogue.built;
    ASSERT_GT(built, 300);

    test::FakeSystemClock clock;
    test::runInUtc(clock);
    ZoneList list(clock);
    catalogue.loadInto(list);

    ClockState s;
    s.TimeFormat = 0;
    int checked = 0, probes = 0, nearChange = 0, skipped = 0;
    for (int i = 0; i < list.rowCount(); ++i) {
        const std::string id = list.cellText(i, kColName);
        if (kNotWeekdayRules.count(id)) {
            ++skipped;
            continue;
        }
        SCOPED_TRACE(id);
        const QTimeZone zone(QByteArray::fromStdString(id));
        ASSERT_TRUE(zone.isValid());
        // Chosen in the catalogue's year, whatever the probes set the clock to since.
        clock.setLocal(kYear, 1, 10, 12, 0);
        clock.utc = clock.local;
        list.select(i);
        const std::optional<ZoneSelection> chosen = list.zoneToUse();
        ASSERT_TRUE(chosen.has_value());
        const std::optional<WorldLine> line = worldLineOf(*chosen);
        ASSERT_TRUE(line.has_value());
        ++checked;
        for (int year : {kYear, kYear + 1}) {
            for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1)) {
                const QDateTime probe(day, QTime(12, 0), Qt::UTC);
                if (!zone.transitions(probe.addDays(-1), probe.addDays(1)).isEmpty()) {
                    ++nearChange;
                    continue;
                }
                clock.setLocal(year, day.month(), day.day(), 12, 0);
                clock.utc = clock.local;
                const std::string text = worldLineText(*line, s, clock.local, clock.utc);
                const QString truth = probe.toTimeZone(zone).toString("HH:mm");
                EXPECT_EQ(text.substr(0, 5), truth.toStdString())
                    << probe.toString(Qt::ISODate).toStdString();
                ++probes;
            }
        }
    }
    std::printf(
        "World lines checked: %d zones, %d probes (%d near a change-over, %d zones "
        "skipped by name)\n",
        checked, probes, nearChange, skipped);
    EXPECT_EQ(checked + skipped, built);
    // A name that left the zone database would leave the list skipping nothing.
    EXPECT_EQ(skipped, static_cast<int>(kNotWeekdayRules.size()));
}

}  // namespace
}  // namespace temura
