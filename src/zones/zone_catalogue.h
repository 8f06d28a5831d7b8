#pragma once

// The zone catalogue on disk: the system file built from the operating system's zone table and
// the user file of zones the user added or took over, and how the zone list reads and writes them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "clock/clock_state.h"
#include "platform/files.h"
#include "platform/system_clock.h"
#include "platform/zone_table_source.h"
#include "zones/zone_list.h"

namespace temura {

inline constexpr char kSysZonesFileName[] = "TimeZones.dat";
inline constexpr char kUserZonesFileName[] = "UserTimeZones.dat";
// Offsets read from the files are held to what the edit fields can show (24:59).
inline constexpr std::int32_t kMaxFileOffset = 1499;

// Puts both catalogue files in `folder` (the user folder: the program's folder when it can be
// written, else a folder of the user's) and makes the existing ones writable. Failures are
// ignored: a file that stays read-only just fails to save later.
void SetInis(ClockState& s, Files& files, const std::string& folder);

// The 44-byte rule block of a zone table entry.
struct ZoneRule {
    std::int32_t bias = 0;
    std::int32_t standardBias = 0;
    std::int32_t daylightBias = 0;
    SystemTime standardDate;  // yearly rules: day is the week 1..5 (5 = last) of dayOfWeek
    SystemTime daylightDate;
};
// Empty unless the block is exactly kZoneRuleSize bytes.
std::optional<ZoneRule> decodeZoneRule(const std::vector<std::uint8_t>& block);

// A display text "(GMT+01:00) Name" becomes "Name"; any other text stays as it is.
std::string cutDisplayName(const std::string& display);

// Builds the system file from the zone table: the whole file in memory first, then written over
// the old one in one step, so a build that fails or finds no zone keeps the old catalogue.
// Returns the number of zones the new file holds; 0 when nothing was written.
int CreateTZIni(Files& files, const ZoneTableSource& table, const std::string& path,
                int currentYear);

// Start-up: builds the system file only when there is none; an existing one is never rebuilt
// here, whatever its age (the window's update command does that). False when none was built.
bool buildCatalogueIfMissing(Files& files, const ZoneTableSource& table, const ClockState& s,
                             int currentYear);

// The zones of one catalogue file in file order, each section once; empty when the file is
// missing or unreadable.
std::vector<ZoneEntry> readCatalogueFile(const Files& files, const std::string& path,
                                         ZoneKind kind);

// Empties the list, then appends the user file's zones numbered 001 ...
void LoadIniUserTZ(ZoneList& list, const Files& files, const std::string& userFile);
// Adds the system file's zones after the user rows, ordered by their section numbers.
void LoadIniTZ(ZoneList& list, const Files& files, const std::string& sysFile);

// Rewrite one file from the list's rows of its kind. An empty list leaves the file as it is, and
// a missing file is created only when the list holds a row of its kind. False when the file
// could not be read or written; the old file then stays whole.
bool SaveIniUserTZ(const ZoneList& list, Files& files, const std::string& userFile);
bool SaveIniTZ(const ZoneList& list, Files& files, const std::string& sysFile);

// The window's close: both files, user file first, when the list changed since the last save.
// The list stays marked as changed while a file failed to save, so the next close tries again.
bool saveCatalogueOnClose(ZoneList& list, Files& files, const ClockState& s);

// The update command once the user agreed: save the user rows, rebuild the system file, reload
// the list. False (and the list and both files as they were, bar the user file's save) when
// the user rows could not be saved or the rebuilt file would hold no zone.
bool UpdateTZ(ZoneList& list, Files& files, const ZoneTableSource& table, const ClockState& s,
              int currentYear);

}  // namespace temura
