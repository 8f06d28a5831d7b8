#include "platform/posix/qt_zone_table.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "platform/system_clock.h"

namespace temura {

namespace {

// A stretch of the year with one offset (seconds east of UTC) and one name.
struct Stretch {
    qint64 fromMs;
    int offset;
    QString abbreviation;
};

// A change of the offset; tz data also records changes of the name or daylight flag alone.
struct ChangeOver {
    qint64 atMs;
    int offsetBefore;
    int offsetAfter;
};

std::int32_t minutes(int seconds) {
    return static_cast<std::int32_t>(seconds / 60);
}

std::string twoDigits(int n) {
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

// "+05:30", "-03:00", "+00:00".
std::string offsetText(int seconds) {
    const int total = std::abs(minutes(seconds));
    return std::string(seconds < 0 ? "-" : "+") + twoDigits(total / 60) + ":" +
           twoDigits(total % 60);
}

constexpr SystemTime kNoRule{0, 0, 0, 0, 0, 0, 0, 0};

// The change-over as a yearly rule: the weekday's occurrence in the month (5 = the last one, even
// when it is the fourth), at the time shown by the wall clock that runs until the change.
SystemTime yearlyRule(const ChangeOver& change) {
    const QDateTime wall = QDateTime::fromMSecsSinceEpoch(
        change.atMs + static_cast<qint64>(change.offsetBefore) * 1000, Qt::UTC);
    const QDate date = wall.date();
    const QTime time = wall.time();
    SystemTime rule = kNoRule;
    rule.month = date.month();
    rule.dayOfWeek = date.dayOfWeek() % 7;
    rule.day = date.day() + 7 > date.daysInMonth() ? 5 : (date.day() - 1) / 7 + 1;
    rule.hour = time.hour();
    rule.minute = time.minute();
    rule.second = time.second();
    return rule;
}

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void putInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    putLittleEndian(out, static_cast<std::uint32_t>(value), 4);
}

void putDate(std::vector<std::uint8_t>& out, const SystemTime& t) {
    for (int field :
         {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.millisecond}) {
        putLittleEndian(out, static_cast<std::uint32_t>(field), 2);
    }
}

bool isFixedOffsetId(const QByteArray& id) {
    return id.size() > 3 && id.startsWith("UTC") && (id[3] == '+' || id[3] == '-');
}

}  // namespace

std::optional<ZoneTableEntry> zoneTableEntry(const QTimeZone& zone, int year) {
    if (!zone.isValid()) return std::nullopt;

    const QDateTime yearStart(QDate(year, 1, 1), QTime(0, 0), zone);
    const QDateTime yearEnd(QDate(year + 1, 1, 1), QTime(0, 0), zone);
    const qint64 endMs = yearEnd.toMSecsSinceEpoch();

    // Not offsetData(): it is invalid for a zone without transitions, such as "UTC".
    std::vector<Stretch> stretches{{yearStart.toMSecsSinceEpoch(), zone.offsetFromUtc(yearStart),
                                    zone.abbreviation(yearStart)}};
    std::vector<ChangeOver> changes;
    for (const QTimeZone::OffsetData& t : zone.transitions(yearStart, yearEnd.addMSecs(-1))) {
        const qint64 atMs = t.atUtc.toMSecsSinceEpoch();
        const int before = stretches.back().offset;
        if (t.offsetFromUtc != before) changes.push_back({atMs, before, t.offsetFromUtc});
        stretches.push_back({atMs, t.offsetFromUtc, t.abbreviation});
    }

    // Per offset: how long it is in force this year, and its latest name (tz data renames).
    std::map<int, qint64> duration;
    std::map<int, QString> name;
    for (std::size_t i = 0; i < stretches.size(); ++i) {
        const qint64 toMs = i + 1 < stretches.size() ? stretches[i + 1].fromMs : endMs;
        duration[stretches[i].offset] += toMs - stretches[i].fromMs;
        name[stretches[i].offset] = stretches[i].abbreviation;
    }

    int standard = 0;
    int daylight = 0;
    SystemTime standardDate = kNoRule;
    SystemTime daylightDate = kNoRule;
    // Daylight saving goes there and back within the year; a lasting change of offset, or a
    // year with more change-overs than one rule pair can say, gets no rule.
    if (changes.size() == 2 && changes[0].offsetBefore == changes[1].offsetAfter) {
        standard = std::min(changes[0].offsetBefore, changes[0].offsetAfter);
        daylight = std::max(changes[0].offsetBefore, changes[0].offsetAfter);
        for (const ChangeOver& change : changes) {
            (change.offsetAfter == daylight ? daylightDate : standardDate) = yearlyRule(change);
        }
    } else {
        standard =
            std::max_element(duration.begin(), duration.end(), [](const auto& a, const auto& b) {
                return a.second < b.second;
            })->first;
        daylight = standard;
    }

    ZoneTableEntry entry;
    entry.key = zone.id().toStdString();
    entry.display = "(GMT" + offsetText(standard) + ") " + entry.key;
    entry.standardName = name[standard].toStdString();
    entry.daylightName = name[daylight].toStdString();

    std::vector<std::uint8_t> rule;
    rule.reserve(kZoneRuleSize);
    putInt32(rule, -minutes(standard));
    putInt32(rule, 0);
    putInt32(rule, -(minutes(daylight) - minutes(standard)));
    putDate(rule, standardDate);
    putDate(rule, daylightDate);
    entry.rule = std::move(rule);
    return entry;
}

bool QtZoneTable::available() const {
    return !QTimeZone::availableTimeZoneIds().isEmpty();
}

std::vector<ZoneTableEntry> QtZoneTable::zones() const {
    std::vector<ZoneTableEntry> table;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        // Qt's fixed offsets are no places; their names already say all they hold.
        if (isFixedOffsetId(id)) continue;
        if (std::optional<ZoneTableEntry> entry = zoneTableEntry(QTimeZone(id), year_)) {
            table.push_back(std::move(*entry));
        }
    }
    std::sort(table.begin(), table.end(),
              [](const ZoneTableEntry& a, const ZoneTableEntry& b) { return a.key < b.key; });
    return table;
}

}  // namespace temura
