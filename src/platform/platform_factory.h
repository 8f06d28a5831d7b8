#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_clock.h"
#include "platform/zone_table_source.h"

namespace temura {

// The real services of the platform the program was built for.
std::unique_ptr<SystemClock> makeSystemClock();
std::unique_ptr<Files> makeFiles(std::string programFolder);
// The user's registry store (on Linux a file in the XDG config folder); `files` must outlive it.
std::unique_ptr<Registry> makeRegistry(Files& files);
// The settings-file association and the shortcuts; `files` must outlive it.
std::unique_ptr<Shell> makeShell(Files& files);
// The zone table as it stands in `year` (the year of the local date).
std::unique_ptr<ZoneTableSource> makeZoneTable(int year);

// The parts of the desktop Qt has no portable call for, for the Qt desktop to use.
// Where the clock would sit over the taskbar clock; none where the platform has no such clock.
std::optional<ScreenPoint> platformTaskbarClockPosition(int formWidth, int formHeight);
// Opens the platform's own date and time settings; false where it names none, and the desktop's
// own settings programs are to be tried instead.
bool openPlatformDateTimeSettings();

}  // namespace temura
