#pragma once

#include <windows.h>

#include "clock/clock_state.h"

namespace temura::wingui {

// A stored colour as GDI takes it: system colours (0xFF0000nn) become the system's value now.
inline COLORREF toColorRef(Colour c) {
    if ((c >> 24) == 0xFFu) return GetSysColor(static_cast<int>(c & 0xFFu));
    return static_cast<COLORREF>(c & 0xFFFFFFu);
}

}  // namespace temura::wingui
