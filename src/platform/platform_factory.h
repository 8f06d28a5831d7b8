#pragma once

#include <memory>

#include "platform/system_clock.h"

namespace temura {

// The real services of the platform the program was built for.
std::unique_ptr<SystemClock> makeSystemClock();

}  // namespace temura
