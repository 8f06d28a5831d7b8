#pragma once

#include "clock/text_format.h"

namespace temura::wingui {

// The user's month and day names, as the system's locale settings give them.
LocaleNames userLocaleNames();

}  // namespace temura::wingui
