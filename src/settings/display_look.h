#pragma once

#include <cstdint>
#include <string>

#include "clock/clock_state.h"

namespace temura {

// Font and colour of the date or zone-name line.
struct LineFont {
    std::string name = "Arial";
    int size = 8;
    bool bold = false;
    bool italic = false;
    Colour colour = 0xFFFFFF;
};

// The look of the main window's controls that ClockState does not hold. The time line's colour,
// bold and italic are ClockState's TimerFontColor, TimerFontBold and TimerFontItalic.
struct DisplayLook {
    int X = 0;
    int Y = 0;
    std::string TimerFontName = "MS Sans Serif";
    int TimerFontSize = 14;
    LineFont date;
    LineFont tz;
    Colour TimerBgColor = 0;  // background of all three lines
    std::int32_t Alpha = 255;  // opacity; only its low 8 bits count
    bool ButtonsVisible = false;
};

}  // namespace temura
