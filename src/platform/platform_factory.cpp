#include "platform/platform_factory.h"

// The one place that picks a platform; everything else sees only the interfaces.
#if defined(_WIN32)
#error "The Windows services are not built yet."
#else
#include "platform/posix/posix_files.h"
#include "platform/posix/posix_system_clock.h"
#endif

#include <utility>

namespace temura {

std::unique_ptr<SystemClock> makeSystemClock() {
    return std::make_unique<PosixSystemClock>();
}

std::unique_ptr<Files> makeFiles(std::string programFolder) {
    return std::make_unique<PosixFiles>(std::move(programFolder));
}

}  // namespace temura
