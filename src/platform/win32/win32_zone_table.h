#pragma once

#include <string>

#include "platform/registry.h"
#include "platform/win32/win32_registry.h"
#include "platform/zone_table_source.h"

namespace temura {

inline constexpr char kTimeZonesKey[] =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

// The zone table Windows keeps in the registry: one sub-key per zone, in the order the registry
// lists them, with the optional values "Index" (DWORD, signed), "Display", "Std", "Dlt" (strings)
// and "TZI" (the 44-byte rule block). A value of another type or size counts as missing. The
// root and key can be moved elsewhere, so tests can build a table of their own.
class Win32ZoneTable : public ZoneTableSource {
  public:
    explicit Win32ZoneTable(RegRoot root = RegRoot::LocalMachine, std::string key = kTimeZonesKey);

    bool available() const override;
    std::vector<ZoneTableEntry> zones() const override;

  private:
    Win32Registry m_registry;
    RegRoot m_root;
    std::string m_key;
};

}  // namespace temura
