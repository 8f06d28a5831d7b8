#pragma once

// Choosing world lines from the time-zone window's list. A line belongs to the catalogue zone
// whose name it carries, or, once the user named it, whose name it keeps beside (`Zone`).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "clock/zone_arithmetic.h"
#include "zones/world_line.h"

namespace temura {

class ZoneList;

// A line with the figures "Use" takes from the zone, its change-overs dated in their year. Empty
// when the zone cannot be stored as a line (no name, figures beyond a day).
std::optional<WorldLine> worldLineOf(const ZoneSelection& zone);

// The place of the zone's line, if it has one.
std::optional<std::size_t> worldLineIndexOf(const std::vector<WorldLine>& lines,
                                            const std::string& zoneName);
// The list's "Clock" cell: "1".."8", or empty for a zone without a line.
std::string worldClockCell(const std::vector<WorldLine>& lines, const std::string& zoneName);

enum class WorldToggle { Added, Removed, Full, Unusable };
// Puts the zone on the clock as the last line, or takes its line off.
WorldToggle toggleWorldLine(std::vector<WorldLine>& lines, const ZoneSelection& zone);

// The zone's line one place up (step -1) or down (+1); false when it has none or cannot move.
bool moveZoneWorldLine(std::vector<WorldLine>& lines, const std::string& zoneName, int step);
// The name the zone's line shows (the user's own, or the zone's), which the rename box offers;
// none when the zone has no line.
std::optional<std::string> worldLineName(const std::vector<WorldLine>& lines,
                                         const std::string& zoneName);
// Gives the zone's line the user's own name; a blank name gives it the zone's name back. False
// when nothing changed or the name cannot be stored.
bool renameZoneWorldLine(std::vector<WorldLine>& lines, const std::string& zoneName,
                         const std::string& name);

// The name of the first selected row, the zone the window's world commands work on.
std::optional<std::string> selectedZoneName(const ZoneList& list);

// Which of the window's world-line commands are enabled for the selected zone.
struct WorldActionState {
    bool actWorld = false;
    bool onClock = false;  // the selected zone has a line
    bool actWorldEarlier = false;
    bool actWorldLater = false;
    bool actWorldName = false;
};
WorldActionState worldActions(const std::vector<WorldLine>& lines,
                              const std::optional<std::string>& selectedZone);

// After OK changed a zone that was called `oldName`: its line takes the zone's new figures and
// name (a line the user named keeps that name). False when the zone had no line or the line
// stayed the same.
bool followZoneEdit(std::vector<WorldLine>& lines, const std::string& oldName,
                    const ZoneSelection& zone);
// The list's OK on its selected row, and that zone's line following the edit. True when the
// lines changed.
bool okFollowingWorldLines(ZoneList& list, std::vector<WorldLine>& lines);
// After the catalogue was rebuilt: every line takes the figures of the first zone of its zone's
// name, change-overs in `year`; lines whose zone is gone stay as they are.
bool refreshWorldLines(std::vector<WorldLine>& lines, const ZoneList& list, int year);

}  // namespace temura
