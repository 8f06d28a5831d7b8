#include "platform/platform_factory.h"

// The one place that picks a platform; everything else sees only the interfaces.
#if defined(_WIN32)
#error "The Windows services are not built yet."
#else
#include "platform/posix/posix_system_clock.h"
#endif

namespace temura {

std::unique_ptr<SystemClock> makeSystemClock() {
    return std::make_unique<PosixSystemClock>();
}

}  // namespace temura
