#include "zones/world_choice.h"

#include <limits>

#include "clock/date_time.h"
#include "clock/text_format.h"
#include "zones/zone_list.h"

namespace temura {

namespace {

struct DateAndTime {
    std::string date;
    std::string time;
};

std::string two(int n) {
    return PadLeft(std::to_string(n), 2, '0');
}

DateAndTime textsOf(DateTime instant) {
    const SystemTime t = decodeDateTime(instant);
    return {two(t.day) + "-" + two(t.month) + "-" + PadLeft(std::to_string(t.year), 4, '0'),
            two(t.hour) + ":" + two(t.minute)};
}

// Only a line that would come back from the store is taken: one the next start would drop is
// worse than one refused now.
bool storable(const WorldLine& line) {
    WorldLine stored = line;
    stored.Zone.clear();  // kept in a value of its own
    return parseWorldLine(worldLineValue(stored)) == stored;
}

// The most negative figure has no 32-bit negation; its stand-in is refused as beyond a day.
std::int32_t negated(std::int32_t v) {
    return v == std::numeric_limits<std::int32_t>::min() ? std::numeric_limits<std::int32_t>::max()
                                                         : -v;
}

bool blank(const std::string& s) {
    return s.find_first_not_of(" \t") == std::string::npos;
}

// A line the user named keeps that name when it takes its zone's new figures.
void keepOwnName(WorldLine& fresh, const WorldLine& old) {
    if (old.Zone.empty()) return;
    fresh.Zone = fresh.Name;
    fresh.Name = old.Name;
}

}  // namespace

std::optional<WorldLine> worldLineOf(const ZoneSelection& zone) {
    WorldLine line;
    line.Name = zone.name;
    line.Bias = negated(zone.bias);
    line.StdBias = negated(zone.stdBias);
    line.DSTBias = negated(zone.dstBias);
    // A change-over alone opens no daylight window, so a line has both or neither.
    if (zone.dstStart != 0 && zone.stdStart != 0) {
        const DateAndTime dst = textsOf(zone.dstStart);
        const DateAndTime std = textsOf(zone.stdStart);
        line.DSTDate = dst.date;
        line.DSTTime = dst.time;
        line.StdDate = std.date;
        line.StdTime = std.time;
    }
    if (!storable(line)) return std::nullopt;
    return line;
}

std::optional<std::size_t> worldLineIndexOf(const std::vector<WorldLine>& lines,
                                            const std::string& zoneName) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (worldLineZone(lines[i]) == zoneName) return i;
    }
    return std::nullopt;
}

std::string worldClockCell(const std::vector<WorldLine>& lines, const std::string& zoneName) {
    const auto index = worldLineIndexOf(lines, zoneName);
    return index ? std::to_string(*index + 1) : std::string();
}

WorldToggle toggleWorldLine(std::vector<WorldLine>& lines, const ZoneSelection& zone) {
    if (const auto index = worldLineIndexOf(lines, zone.name)) {
        removeWorldLine(lines, *index);
        return WorldToggle::Removed;
    }
    const std::optional<WorldLine> line = worldLineOf(zone);
    if (!line) return WorldToggle::Unusable;
    return addWorldLine(lines, *line) ? WorldToggle::Added : WorldToggle::Full;
}

bool moveZoneWorldLine(std::vector<WorldLine>& lines, const std::string& zoneName, int step) {
    const auto index = worldLineIndexOf(lines, zoneName);
    return index && moveWorldLine(lines, *index, step);
}

std::optional<std::string> worldLineName(const std::vector<WorldLine>& lines,
                                         const std::string& zoneName) {
    const auto index = worldLineIndexOf(lines, zoneName);
    if (!index) return std::nullopt;
    return lines[*index].Name;
}

bool renameZoneWorldLine(std::vector<WorldLine>& lines, const std::string& zoneName,
                         const std::string& name) {
    const auto index = worldLineIndexOf(lines, zoneName);
    if (!index || name.find_first_of("\r\n") != std::string::npos) return false;
    WorldLine renamed = lines[*index];
    const bool own = !blank(name) && name != zoneName;
    renamed.Name = own ? name : zoneName;
    renamed.Zone = own ? zoneName : std::string();
    if (renamed == lines[*index] || !storable(renamed)) return false;
    lines[*index] = renamed;
    return true;
}

WorldActionState worldActions(const std::vector<WorldLine>& lines,
                              const std::optional<std::string>& selectedZone) {
    WorldActionState a;
    if (!selectedZone) return a;
    a.actWorld = true;
    const auto index = worldLineIndexOf(lines, *selectedZone);
    if (!index) return a;
    a.onClock = true;
    a.actWorldEarlier = *index > 0;
    a.actWorldLater = *index + 1 < lines.size();
    a.actWorldName = true;
    return a;
}

bool followZoneEdit(std::vector<WorldLine>& lines, const std::string& oldName,
                    const ZoneSelection& zone) {
    const auto index = worldLineIndexOf(lines, oldName);
    if (!index) return false;
    std::optional<WorldLine> line = worldLineOf(zone);
    if (!line) return false;
    keepOwnName(*line, lines[*index]);
    if (*line == lines[*index]) return false;
    lines[*index] = *line;
    return true;
}

std::optional<std::string> selectedZoneName(const ZoneList& list) {
    const std::optional<int> first = list.firstSelected();
    if (!first) return std::nullopt;
    return list.row(*first).name;
}

bool okFollowingWorldLines(ZoneList& list, std::vector<WorldLine>& lines) {
    // The line is found by the name the zone had before OK.
    const std::optional<std::string> oldName = selectedZoneName(list);
    list.actOK();
    const std::optional<ZoneSelection> zone = list.zoneToUse();
    return oldName && zone && followZoneEdit(lines, *oldName, *zone);
}

bool refreshWorldLines(std::vector<WorldLine>& lines, const ZoneList& list, int year) {
    bool changed = false;
    for (WorldLine& line : lines) {
        for (int r = 0; r < list.rowCount(); ++r) {
            if (list.row(r).name != worldLineZone(line)) continue;
            std::optional<WorldLine> fresh = worldLineOf(selectionOf(list.row(r), year));
            if (fresh) keepOwnName(*fresh, line);
            if (fresh && *fresh != line) {
                line = *fresh;
                changed = true;
            }
            break;
        }
    }
    return changed;
}

}  // namespace temura
