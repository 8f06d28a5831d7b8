#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/zone_table_source.h"

namespace temura::test {

// One change-over of a rule block: the `day`-th (5 = last) `dayOfWeek` of `month` at hour:minute.
struct RuleDate {
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t year = 0;  // the build must not look at it
};

// The 44-byte little-endian block a zone table entry carries.
inline std::vector<std::uint8_t> ruleBlock(std::int32_t bias, std::int32_t standardBias,
                                           std::int32_t daylightBias, const RuleDate& standard,
                                           const RuleDate& daylight) {
    std::vector<std::uint8_t> b;
    const auto put32 = [&b](std::int32_t v) {
        const auto bits = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8) {
            b.push_back(static_cast<std::uint8_t>((bits >> shift) & 0xFF));
        }
    };
    const auto put16 = [&b](std::uint16_t v) {
        b.push_back(static_cast<std::uint8_t>(v & 0xFF));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    const auto putDate = [&put16](const RuleDate& d) {
        for (std::uint16_t v :
             {d.year, d.month, d.dayOfWeek, d.day, d.hour, d.minute, d.second, std::uint16_t{0}}) {
            put16(v);
        }
    };
    put32(bias);
    put32(standardBias);
    put32(daylightBias);
    putDate(standard);
    putDate(daylight);
    return b;
}

inline ZoneTableEntry tableZone(std::optional<std::int32_t> index, std::string display,
                                std::optional<std::vector<std::uint8_t>> rule,
                                std::string standardName = "Std",
                                std::string daylightName = "Dlt") {
    ZoneTableEntry z;
    z.key = display;
    z.index = index;
    z.display = std::move(display);
    z.standardName = std::move(standardName);
    z.daylightName = std::move(daylightName);
    z.rule = std::move(rule);
    return z;
}

// A zone table whose zones the test lists.
class FakeZoneTable : public ZoneTableSource {
  public:
    bool present = true;
    std::vector<ZoneTableEntry> entries;

    bool available() const override { return present; }
    std::vector<ZoneTableEntry> zones() const override {
        return present ? entries : std::vector<ZoneTableEntry>{};
    }
};

}  // namespace temura::test
