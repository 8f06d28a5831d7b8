#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QTimeZone>
#include <QTimer>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <optional>
#include <string>

#include "platform/platform_factory.h"
#include "platform/posix/posix_system_clock.h"
#include "platform/posix/zone_info.h"

namespace temura {
namespace {

qint64 utcMs(int y, int mo, int d, int h = 12) {
    return QDateTime(QDate(y, mo, d), QTime(h, 0), Qt::UTC).toMSecsSinceEpoch();
}

// Sets TZ for one test and puts the previous value back. Only the clock calls tzset() in between,
// so a read that would miss a zone change without it shows up.
class ScopedTz {
  public:
    explicit ScopedTz(const char* tz) {
        if (const char* old = std::getenv("TZ")) old_ = old;
        set(tz);
    }
    ~ScopedTz() {
        set(old_ ? old_->c_str() : nullptr);
        tzset();
    }
    static void set(const char* tz) {
        if (tz) {
            setenv("TZ", tz, 1);
        } else {
            unsetenv("TZ");
        }
    }

  private:
    std::optional<std::string> old_;
};

void runEventLoop(int ms = 50) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int openFdCount() {
    return static_cast<int>(QDir("/proc/self/fd").count());
}

struct ZoneCase {
    const char* zone;
    qint64 at;
    ZoneResult result;
    int bias;
    int daylightBias;
    const char* standardName;
    const char* daylightName;
};

TEST(ZoneInfoAt, DaylightIsThePartWithTheLargerOffset) {
    const ZoneCase cases[] = {
        // tz data calls Irish winter time the daylight part; here summer is daylight.
        {"Europe/Dublin", utcMs(2026, 1, 15), ZoneResult::Standard, 0, -60, "GMT", "IST"},
        {"Europe/Dublin", utcMs(2026, 7, 15), ZoneResult::Daylight, 0, -60, "GMT", "IST"},
        {"America/New_York", utcMs(2026, 7, 15), ZoneResult::Daylight, 300, -60, "EST", "EDT"},
        {"America/New_York", utcMs(2026, 1, 15), ZoneResult::Standard, 300, -60, "EST", "EDT"},
        {"Europe/Warsaw", utcMs(2026, 1, 15), ZoneResult::Standard, -60, -60, "CET", "CEST"},
        {"Europe/Warsaw", utcMs(2026, 7, 15), ZoneResult::Daylight, -60, -60, "CET", "CEST"},
        {"Australia/Sydney", utcMs(2026, 1, 15), ZoneResult::Daylight, -600, -60, "AEST", "AEDT"},
        {"Australia/Sydney", utcMs(2026, 7, 15), ZoneResult::Standard, -600, -60, "AEST", "AEDT"},
        {"Australia/Lord_Howe", utcMs(2026, 1, 15), ZoneResult::Daylight, -630, -30, "+1030",
         "+11"},
        {"Asia/Kolkata", utcMs(2026, 7, 15), ZoneResult::None, -330, 0, "IST", "IST"},
        {"UTC", utcMs(2026, 7, 15), ZoneResult::None, 0, 0, "UTC", "UTC"},
        // London 1947 had three offsets (GMT, BST, double summer time): no daylight part.
        {"Europe/London", utcMs(1947, 6, 1), ZoneResult::None, -120, 0, "", ""},
        // The year is the local one: still 2019 in Sao Paulo, whose daylight time ended for good
        // in February 2019 (a one-way change: no daylight part); 2020 has one offset anyway.
        {"America/Sao_Paulo", utcMs(2020, 1, 1, 1), ZoneResult::None, 180, 0, "-03", "-03"},
        {"America/Sao_Paulo", utcMs(2018, 12, 1), ZoneResult::Daylight, 180, -60, "-03", "-02"},
        // Volgograd went from +04 back to +03 for good in December 2020: no daylight time.
        {"Europe/Volgograd", utcMs(2020, 7, 1), ZoneResult::None, -240, 0, "", ""},
    };
    for (const ZoneCase& c : cases) {
        SCOPED_TRACE(
            std::string(c.zone) + " at " +
            QDateTime::fromMSecsSinceEpoch(c.at, Qt::UTC).toString(Qt::ISODate).toStdString());
        const SysZoneInfo info = zoneInfoAt(QTimeZone(c.zone), c.at);
        EXPECT_EQ(info.result, c.result);
        EXPECT_EQ(info.bias, c.bias);
        EXPECT_EQ(info.standardBias, 0);
        EXPECT_EQ(info.daylightBias, c.daylightBias);
        EXPECT_FALSE(info.standardName.empty());
        EXPECT_FALSE(info.daylightName.empty());
        if (*c.standardName) {
            EXPECT_EQ(info.standardName, c.standardName);
            EXPECT_EQ(info.daylightName, c.daylightName);
        }
    }
}

TEST(ZoneInfoAt, InvalidZoneFails) {
    EXPECT_EQ(zoneInfoAt(QTimeZone(), utcMs(2026, 1, 15)).result, ZoneResult::Failed);
}

// Whatever the zone, the biases must give back the offset in force, or local time would be wrong.
TEST(ZoneInfoAt, BiasesGiveTheOffsetInForceForEveryZone) {
    const QList<QByteArray> ids = QTimeZone::availableTimeZoneIds();
    ASSERT_GT(ids.size(), 100);
    for (const QByteArray& id : ids) {
        const QTimeZone zone(id);
        for (const qint64 at : {utcMs(2026, 1, 15), utcMs(2026, 7, 15)}) {
            SCOPED_TRACE(id.toStdString());
            const SysZoneInfo info = zoneInfoAt(zone, at);
            ASSERT_NE(info.result, ZoneResult::Failed);
            const int inDaylight = info.result == ZoneResult::Daylight ? info.daylightBias : 0;
            EXPECT_EQ(info.bias + inDaylight,
                      -zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(at, Qt::UTC)) / 60);
            EXPECT_LE(info.daylightBias, 0);
            if (info.result == ZoneResult::None) {
                EXPECT_EQ(info.daylightBias, 0);
            }
            EXPECT_FALSE(info.standardName.empty());
        }
    }
}

qint64 msOf(const SystemTime& t) {
    return QDateTime(QDate(t.year, t.month, t.day),
                     QTime(t.hour, t.minute, t.second, t.millisecond), Qt::UTC)
        .toMSecsSinceEpoch();
}

TEST(PosixSystemClock, LocalTimeIsUtcPlusTheReportedOffset) {
    const auto clock = makeSystemClock();
    // A zone file path: libc reads it, Qt 6.4 does not (Failed); the bias then comes from libc.
    for (const char* tz : {"Europe/Warsaw", "America/New_York", "Asia/Kolkata", "Australia/Sydney",
                           "/usr/share/zoneinfo/Asia/Tokyo"}) {
        SCOPED_TRACE(tz);
        const ScopedTz scoped(tz);
        const SysZoneInfo info = clock->timeZoneInformation();
        const SystemTime local = clock->localTime();
        const SystemTime utc = clock->utcTime();
        EXPECT_EQ(info.result == ZoneResult::Failed, tz[0] == '/');
        const int bias = info.bias + (info.result == ZoneResult::Daylight ? info.daylightBias : 0);
        EXPECT_NEAR(static_cast<double>(msOf(local) + bias * 60'000 - msOf(utc)), 0.0, 1000.0);
        EXPECT_NEAR(static_cast<double>(msOf(utc) - QDateTime::currentMSecsSinceEpoch()), 0.0,
                    1000.0);
        EXPECT_EQ(local.dayOfWeek, QDate(local.year, local.month, local.day).dayOfWeek() % 7);
        EXPECT_EQ(utc.dayOfWeek, QDate(utc.year, utc.month, utc.day).dayOfWeek() % 7);
    }
}

TEST(PosixSystemClock, TickCountIsTheLowHalfOfUptime) {
    const auto clock = makeSystemClock();
    const std::uint32_t tick = clock->tickCount();
    const std::uint64_t uptime = clock->uptimeMs();
    EXPECT_LE(static_cast<std::uint32_t>(uptime) - tick, 5u);  // unsigned: safe across a wrap

    // /proc/uptime counts from boot including sleep, as the tick count does.
    double procSeconds = 0;
    std::ifstream("/proc/uptime") >> procSeconds;
    EXPECT_NEAR(static_cast<double>(uptime) / 1000.0, procSeconds, 0.1);
}

TEST(PosixSystemClock, ZoneChangePostsOneHandlerCall) {
    const ScopedTz scoped("Europe/Warsaw");
    PosixSystemClock clock;
    int calls = 0;
    // The handler reads the zone itself, as the program's does; that must not notify again.
    clock.setTimeChangeHandler([&] {
        ++calls;
        clock.timeZoneInformation();
    });
    clock.timeZoneInformation();
    clock.timeZoneInformation();
    runEventLoop();
    EXPECT_EQ(calls, 0) << "an unchanged zone notifies nothing";

    ScopedTz::set("America/New_York");
    clock.timeZoneInformation();
    EXPECT_EQ(calls, 0) << "the handler is posted, never called from inside the read";
    ScopedTz::set("Asia/Tokyo");
    clock.timeZoneInformation();
    runEventLoop();
    EXPECT_EQ(calls, 1) << "changes before the loop runs make one call";

    clock.timeZoneInformation();
    runEventLoop();
    EXPECT_EQ(calls, 1);
}

TEST(PosixSystemClock, PendingCallDiesWithTheClock) {
    const ScopedTz scoped("Europe/Warsaw");
    int calls = 0;
    const int fdsBefore = openFdCount();
    {
        PosixSystemClock clock;
        clock.setTimeChangeHandler([&] { ++calls; });
        EXPECT_EQ(openFdCount(), fdsBefore + 1) << "the clock-set timer";
        clock.timeZoneInformation();
        ScopedTz::set("Asia/Tokyo");
        clock.timeZoneInformation();
    }
    runEventLoop();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(openFdCount(), fdsBefore);
}

}  // namespace
}  // namespace temura
