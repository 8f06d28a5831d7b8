#include "platform/platform_factory.h"

// The one place that picks a platform; everything else sees only the interfaces.
#if defined(_WIN32)
#error "The Windows services are not built yet."
#else
#include "platform/posix/file_registry.h"
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_system_clock.h"
#include "platform/posix/xdg_shell.h"
#include "platform/posix/qt_zone_table.h"
#endif

#include <cstdlib>
#include <utility>

namespace temura {

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

}  // namespace temura
