#include "platform/win32/win32_zone_table.h"

#include <utility>

namespace temura {

Win32ZoneTable::Win32ZoneTable(RegRoot root, std::string key)
    : m_root(root), m_key(std::move(key)) {}

bool Win32ZoneTable::available() const {
    return m_registry.keyExists(m_root, m_key);
}

std::vector<ZoneTableEntry> Win32ZoneTable::zones() const {
    std::vector<ZoneTableEntry> table;
    std::int64_t skipped = 0;
    for (std::string& name : m_registry.subKeys(m_root, m_key)) {
        const std::string key = m_key + "\\" + name;
        // Gone since it was listed, or closed to us: the zone is skipped, but keeps its number.
        if (!m_registry.keyExists(m_root, key)) {
            ++skipped;
            continue;
        }
        // Each read answers only for a value of its own type.
        const auto text = [&](const char* value) {
            return m_registry.readString(m_root, key, value);
        };

        ZoneTableEntry entry;
        entry.key = std::move(name);
        entry.skippedBefore = std::exchange(skipped, 0);
        // readDWord reads the DWORD as signed, so an index with the top bit set comes out negative.
        entry.index = m_registry.readDWord(m_root, key, "Index");
        entry.display = text("Display");
        entry.standardName = text("Std");
        entry.daylightName = text("Dlt");
        if (auto rule = m_registry.readBinary(m_root, key, "TZI");
            rule && rule->size() == kZoneRuleSize) {
            entry.rule = std::move(*rule);
        }
        table.push_back(std::move(entry));
    }
    return table;
}

}  // namespace temura
