#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace temura {

// One zone of the operating system's zone table, as the catalogue build reads it.
struct ZoneTableEntry {
    std::string key;                    // the table's own name of the zone (sub-key, IANA id)
    std::optional<std::int32_t> index;  // the table's index of the zone, when it has one
    std::optional<std::string> display;
    std::optional<std::string> standardName;
    std::optional<std::string> daylightName;
    // The rule block: Bias, StandardBias, DaylightBias (int32) then StandardDate and
    // DaylightDate (eight uint16 each: year, month, day of week, day, hour, minute, second,
    // millisecond), little-endian. Any other size counts as missing.
    std::optional<std::vector<std::uint8_t>> rule;
    // Entries of the table just before this one that could not be read: left out, they still
    // take their places in the table's numbering.
    std::int64_t skippedBefore = 0;
};

constexpr std::size_t kZoneRuleSize = 44;

// The operating system's zone table.
class ZoneTableSource {
  public:
    virtual ~ZoneTableSource() = default;
    // False when the system has no zone table at all.
    virtual bool available() const = 0;
    // Every zone, in the table's own order.
    virtual std::vector<ZoneTableEntry> zones() const = 0;
};

}  // namespace temura
