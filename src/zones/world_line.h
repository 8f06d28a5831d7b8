#pragma once

// The world lines: more zones shown under the clock's own lines, each a copy of a catalogue
// zone's figures taken when it was chosen, so it survives catalogue edits and travels between
// machines whose catalogues name zones differently.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system_clock.h"

namespace temura {

struct ClockState;

// One line, in the catalogue's own sign (minutes, positive west) and order. Dates are
// "dd-mm-yyyy" ("00-00-0000" for a zone without change-overs), times "hh:mm".
struct WorldLine {
    std::int32_t Bias = 0;
    std::int32_t StdBias = 0;
    std::int32_t DSTBias = 0;
    std::string StdDate = "00-00-0000";
    std::string StdTime = "00:00";
    std::string DSTDate = "00-00-0000";
    std::string DSTTime = "00:00";
    std::string Name;  // the zone's name, or the user's own
    // The catalogue zone's name while the line carries a name of the user's own, so that the
    // zone still finds its line; empty while Name is the zone's. Stored beside the line.
    std::string Zone;

    bool operator==(const WorldLine&) const = default;
};

// The name of the catalogue zone the line belongs to.
inline const std::string& worldLineZone(const WorldLine& line) {
    return line.Zone.empty() ? line.Name : line.Zone;
}
// Sets the zone a renamed line belongs to from its stored text; a text that cannot be a zone's
// name (empty, too long, with a line break) or the line's own name leaves the line as it is.
void setWorldLineZone(WorldLine& line, std::string_view zone);

constexpr std::size_t kMaxWorldLines = 8;
// Longer stored texts are refused outright: no zone name comes near it.
constexpr std::size_t kMaxWorldLineText = 512;

// `Bias;StdBias;DSTBias;StdDate;StdTime;DSTDate;DSTTime;Name`; the name is last so that it may
// hold any character, ";" too.
std::string worldLineValue(const WorldLine& line);
// Empty for a text that is not one line: a missing or empty field, a number that is not one or
// lies beyond a day, a date or time that does not exist, one date set and the other not.
std::optional<WorldLine> parseWorldLine(std::string_view text);

// The name a line shows: an IANA name its last part with "_" as a blank; a leading
// "(UTC±hh:mm) " or "(GMT±hh:mm) " dropped; any other name as it is.
std::string worldDisplayName(const std::string& name);
// The name a line shows: the user's own as typed, else the zone's by the rule above.
std::string worldLineLabel(const WorldLine& line);

// Editing the list, which keeps the user's order. Each answers whether it changed anything;
// adding to a full list is refused.
bool addWorldLine(std::vector<WorldLine>& lines, const WorldLine& line);
bool removeWorldLine(std::vector<WorldLine>& lines, std::size_t index);
// One place up (step -1) or down (step +1).
bool moveWorldLine(std::vector<WorldLine>& lines, std::size_t index, int step);
bool renameWorldLine(std::vector<WorldLine>& lines, std::size_t index, const std::string& name);

// A line's zone at a UTC moment: its offset (east-positive minutes) and whether it is in
// daylight time, judged on the zone's own wall clock with the change-over dates read as
// weekday rules in that clock's year.
struct WorldZoneNow {
    std::int64_t offset = 0;
    bool inDST = false;
};
WorldZoneNow worldZoneAt(const WorldLine& line, const SystemTime& utc);

// The line as drawn: the zone's time in the clock's time format without tenths, two blanks, the
// name and, when the zone's day differs from the date line's, a blank and "+1", "-1", "+2"...
std::string worldLineText(const WorldLine& line, const ClockState& s, const SystemTime& local,
                          const SystemTime& utc);
std::vector<std::string> worldLineTexts(const ClockState& s, const SystemClock& clock);

// The hint's lines: "New York : -04:00 (DST)".
std::vector<std::string> worldHintLines(const std::vector<WorldLine>& lines, const SystemTime& utc,
                                        bool english);

// Whether the clock draws any world line.
bool worldLinesShown(const ClockState& s);
// Milliseconds until the world lines' text next changes (a minute, or a second with seconds),
// on the UTC clock whose boundaries every whole-minute offset shares.
std::int64_t msUntilWorldChange(const ClockState& s, const SystemTime& utc);

}  // namespace temura
