#pragma once

#include <QColor>

#include "clock/clock_state.h"

namespace temura {

// A stored colour as Qt draws it; a system colour follows the application's palette.
QColor toQColor(Colour c);
// A fixed colour code (0x00BBGGRR) of a Qt colour.
Colour fromQColor(const QColor& c);
// A stored colour resolved to its fixed RGB code (system colours through the palette).
Colour resolveColour(Colour c);

// System-colour code of the button face, the background shown behind the stopwatch buttons.
constexpr Colour kSysColourButtonFace = 0xFF00000Fu;

}  // namespace temura
