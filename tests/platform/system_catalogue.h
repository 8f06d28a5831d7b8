#pragma once

#include <string>

#include "clock/clock_state.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/qt_zone_table.h"
#include "support/fake_system_clock.h"
#include "support/test_home.h"
#include "zones/zone_catalogue.h"
#include "zones/zone_list.h"

namespace temura::test {

// The catalogue built in `year` from the system's zone database into real files in a folder of
// its own, as a first start builds it.
struct SystemCatalogue {
    SystemCatalogue(const char* name, int year) : folder(makeTempDir(name)), files(folder) {
        SetInis(paths, files, folder);
        built = CreateTZIni(files, QtZoneTable(year), paths.SysZonesFile, year);
    }
    // Into the list as the time-zone window loads it: the user's zones (none), then the system's.
    void loadInto(ZoneList& list) {
        LoadIniUserTZ(list, files, paths.UserZonesFile);
        LoadIniTZ(list, files, paths.SysZonesFile);
    }

    std::string folder;
    PosixFiles files;
    ClockState paths;
    int built = 0;
};

// A system clock that runs in UTC, so a zone's shift is its offset from UTC.
inline void runInUtc(FakeSystemClock& clock) {
    clock.zone = SysZoneInfo{ZoneResult::None, 0, 0, 0, "UTC", "UTC"};
}

}  // namespace temura::test
