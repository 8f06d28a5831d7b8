#pragma once

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/system_clock.h"

namespace temura {

// The real services of the platform the program was built for.
std::unique_ptr<SystemClock> makeSystemClock();
std::unique_ptr<Files> makeFiles(std::string programFolder);

}  // namespace temura
