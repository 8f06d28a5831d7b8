#pragma once

// The three kinds of file the program saves, each in two known versions: the crash-test child
// saves them in a loop, and the test works out the bytes each version must have.

#include <memory>
#include <string>

#include "clock/clock_state.h"
#include "platform/files.h"
#include "platform/posix/file_registry.h"
#include "settings/display_look.h"
#include "support/fake_system_clock.h"
#include "zones/zone_list.h"

namespace temura::crash {

inline constexpr char kRegistryName[] = "registry.reg";
inline constexpr char kCatalogueName[] = "UserTimeZones.dat";
inline constexpr char kSettingsName[] = "crash.temura";
// Rows in the catalogue: enough that its file takes more than one page.
inline constexpr int kZoneRows = 150;

// Saves all three files in one folder the way the program does: the settings at close, the
// zone list's user file, a settings file from the save dialog.
class Saver {
  public:
    Saver(Files& files, const std::string& folder);

    // Version 0 or 1 of every file, in a fixed order; false when a save failed.
    bool save(int version);

    std::string registryPath() const { return m_folder + "/" + kRegistryName; }
    std::string cataloguePath() const { return m_folder + "/" + kCatalogueName; }
    std::string settingsPath() const { return m_folder + "/" + kSettingsName; }

  private:
    Files& m_files;
    std::string m_folder;
    test::FakeSystemClock m_clock;
    std::unique_ptr<FileRegistry> m_registry;
    ZoneList m_zones;
};

// Everything the versions differ in.
void fillVersion(int version, ClockState& state, DisplayLook& look, ZoneList& zones);

}  // namespace temura::crash
