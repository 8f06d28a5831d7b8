#include "platform/posix/zone_info.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>
#include <map>

namespace temura {

namespace {

std::int32_t minutes(int seconds) {
    return static_cast<std::int32_t>(seconds / 60);
}

std::string abbreviationAt(const QTimeZone& zone, const QDateTime& at) {
    return zone.abbreviation(at).toStdString();
}

}  // namespace

SysZoneInfo zoneInfoAt(const QTimeZone& zone, qint64 utcMsecs) {
    SysZoneInfo info;
    if (!zone.isValid()) return info;

    const QDateTime now = QDateTime::fromMSecsSinceEpoch(utcMsecs, Qt::UTC);
    const int offsetNow = zone.offsetFromUtc(now);
    const int year = now.toTimeZone(zone).date().year();
    const QDateTime yearStart(QDate(year, 1, 1), QTime(0, 0), zone);
    const QDateTime yearEnd(QDate(year + 1, 1, 1), QTime(0, 0), zone);

    // Each offset met this year, with one instant at which it is in force (for its abbreviation).
    std::map<int, QDateTime> parts;
    parts.emplace(zone.offsetFromUtc(yearStart), yearStart);
    for (const QTimeZone::OffsetData& t : zone.transitions(yearStart, yearEnd.addMSecs(-1))) {
        parts.emplace(t.offsetFromUtc, t.atUtc);
    }
    // Name each part as it is called now where possible: tz data renames abbreviations at times.
    parts[offsetNow] = now;

    // Daylight saving goes there and back within the year; a lasting change of the standard
    // offset (two offsets, but the year ends on the new one) is no daylight time.
    const bool thereAndBack = zone.offsetFromUtc(yearStart) == zone.offsetFromUtc(yearEnd.addMSecs(-1));
    if (parts.size() == 2 && thereAndBack) {
        const auto& [smaller, smallerAt] = *parts.begin();
        const auto& [larger, largerAt] = *parts.rbegin();
        info.result = offsetNow == larger ? ZoneResult::Daylight : ZoneResult::Standard;
        info.bias = -minutes(smaller);
        info.standardBias = 0;
        info.daylightBias = -(minutes(larger) - minutes(smaller));
        info.standardName = abbreviationAt(zone, smallerAt);
        info.daylightName = abbreviationAt(zone, largerAt);
        return info;
    }

    info.result = ZoneResult::None;
    info.bias = -minutes(offsetNow);
    info.standardName = abbreviationAt(zone, now);
    info.daylightName = info.standardName;
    return info;
}

}  // namespace temura
