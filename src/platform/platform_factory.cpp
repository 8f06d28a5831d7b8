#include "platform/platform_factory.h"

// The one place that picks a platform; everything else sees only the interfaces.
#if defined(_WIN32)
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_clock.h"
#include "platform/win32/win32_zone_table.h"
#else
#include "platform/posix/file_registry.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_system_clock.h"
#include "platform/posix/qt_zone_table.h"
#include "platform/posix/xdg_shell.h"
#endif

#include <cstdlib>
#include <utility>

namespace temura {

#if defined(_WIN32)

std::unique_ptr<SystemClock> makeSystemClock() {
    return std::make_unique<Win32SystemClock>();
}

std::unique_ptr<Files> makeFiles(std::string programFolder) {
    return std::make_unique<Win32Files>(std::move(programFolder));
}

std::unique_ptr<Registry> makeRegistry(Files&) {
    return std::make_unique<Win32Registry>();
}

std::unique_ptr<Shell> makeShell(Files& files) {
    return std::make_unique<Win32Shell>(files);
}

std::unique_ptr<ZoneTableSource> makeZoneTable(int) {
    // The registry's table is the year's as Windows updates it; the build applies the year.
    return std::make_unique<Win32ZoneTable>();
}

std::optional<ScreenPoint> platformTaskbarClockPosition(int formWidth, int formHeight) {
    return taskbarClockPosition(formWidth, formHeight);
}

bool openPlatformDateTimeSettings() {
    return openDateTimeSettings();
}

#else

std::unique_ptr<SystemClock> makeSystemClock() {
    return std::make_unique<PosixSystemClock>();
}

std::unique_ptr<Files> makeFiles(std::string programFolder) {
    return std::make_unique<PosixFiles>(std::move(programFolder));
}

std::unique_ptr<Registry> makeRegistry(Files& files) {
    const auto env = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value == nullptr ? "" : value);
    };
    const std::string path =
        defaultRegistryPath(env("XDG_CONFIG_HOME"), env("HOME"), files.tempFolder());
    return std::make_unique<FileRegistry>(path, files,
                                          [] { return PosixSystemClock().localTime(); });
}

std::unique_ptr<Shell> makeShell(Files& files) {
    return std::make_unique<XdgShell>(files, XdgShell::defaultDataHome(),
                                      XdgShell::defaultDesktopFolder());
}

std::unique_ptr<ZoneTableSource> makeZoneTable(int year) {
    return std::make_unique<QtZoneTable>(year);
}

std::optional<ScreenPoint> platformTaskbarClockPosition(int, int) {
    // Linux desktops have no taskbar clock window the program could find.
    return std::nullopt;
}

bool openPlatformDateTimeSettings() {
    return false;
}

#endif

}  // namespace temura
