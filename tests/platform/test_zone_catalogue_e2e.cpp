#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "clock/zone_arithmetic.h"
#include "system_catalogue.h"

namespace temura {
namespace {

// The whole road from the system's zone database to the clock: the catalogue built from the
// real zone table into real files, loaded into the list, and every zone taken into use as the
// window's Use command does. The shift the clock then shows must be the zone's true offset.
TEST(ZoneCatalogueEndToEnd, EveryZoneTakenIntoUseShowsItsTrueOffset) {
    constexpr int kYear = 2026;
    test::SystemCatalogue catalogue("catalogue", kYear);
    const int built = catalogue.built;
    ASSERT_GT(built, 300);

    test::FakeSystemClock clock;
    test::runInUtc(clock);
    ZoneList list(clock);
    catalogue.loadInto(list);
    ASSERT_EQ(list.rowCount(), built);

    int zones = 0;
    int compared = 0;
    int skipped = 0;
    int withDaylight = 0;  // zones whose two probes differ: the daylight rule did the work
    for (int i = 0; i < list.rowCount(); ++i) {
        const std::string id = list.cellText(i, kColName);
        SCOPED_TRACE(id);
        const QTimeZone zone(QByteArray::fromStdString(id));
        ASSERT_TRUE(zone.isValid());
        ++zones;
        std::optional<std::int64_t> january;
        for (const QDate day : {QDate(kYear, 1, 15), QDate(kYear, 7, 15)}) {
            const QDateTime probe(day, QTime(12, 0), Qt::UTC);
            // Near a change-over the wall-clock rule and the instant may disagree by design.
            if (!zone.transitions(probe.addDays(-1), probe.addDays(1)).isEmpty()) {
                ++skipped;
                continue;
            }
            clock.setLocal(kYear, day.month(), day.day(), 12, 0);
            clock.utc = clock.local;
            list.select(i);
            const std::optional<ZoneSelection> chosen = list.zoneToUse();
            ASSERT_TRUE(chosen.has_value());
            ClockState s;
            applyZone(s, clock, *chosen);
            EXPECT_EQ(s.ZoneShift, zone.offsetFromUtc(probe) / 60)
                << day.toString(Qt::ISODate).toStdString();
            ++compared;
            if (day.month() == 1) {
                january = s.ZoneShift;
            } else if (january && *january != s.ZoneShift) {
                ++withDaylight;
            }
        }
    }
    std::printf(
        "Zones checked end to end: %d (%d probes compared, %d near a change-over, %d zones "
        "with daylight time)\n",
        zones, compared, skipped, withDaylight);
    RecordProperty("zones", zones);
    EXPECT_EQ(zones, built);
    EXPECT_GT(withDaylight, 50);
}

}  // namespace
}  // namespace temura
