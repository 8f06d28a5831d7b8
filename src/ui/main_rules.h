#pragma once

// Rules of the main window that need no widget: mode letters, colours, positions, layout sums
// and the display tick's choice of text.

#include <cstdint>
#include <optional>
#include <string>

#include "clock/clock_state.h"
#include "platform/system_clock.h"

namespace temura {

// The mode mark shown in the corner; empty for a mode outside 0..4.
std::optional<std::string> modeString(const ClockState& s);

std::uint8_t nextMode(std::uint8_t mode);
std::uint8_t nextTimeFormat(std::uint8_t format);
std::uint8_t nextETimeFormat(std::uint8_t format);
std::uint8_t nextDateFormat(std::uint8_t format);

constexpr int kMinFontSize = 4;
constexpr int kMaxFontSize = 160;
int stepFontSize(int size, int step);

// The blink and mode-letter colour derived from the time colour (RGB, 0x00BBGGRR).
Colour pausedColour(Colour rgb);

// Text the time line shows before the first display tick.
std::string placeholderTimeText(const ClockState& s);

// Measures the window layout needs; the widget fills them in from its fonts.
struct LayoutInput {
    int timeTextWidth = 0;
    int zeroHeightTime = 0;  // height of "0" in the time line's font
    bool modeVisible = false;
    int modeTextWidth = 0;
    bool dateVisible = false;
    int dateTextWidth = 0;
    int zeroHeightDate = 0;
    bool tzShown = false;  // see tzLineShown()
    int tzLabelHeight = 0;
    int tzTextWidth = 0;
    // The world lines, under the zone-name line (or the date): how many are drawn, the height
    // of one and the width of the widest.
    int worldCount = 0;
    int worldLineHeight = 0;
    int worldTextWidth = 0;
    int textMarginX = 10;
    int modeGapX = 8;
    // Where the letter's and the time's ink lie (tight bounds): the letter's left edge and its
    // last ink column from there, and the time's first ink column from its pen position, which
    // an italic font may put left of it.
    int modeLeft = 1;
    int modeInkRight = 0;
    int timeInkLeft = 0;
    int captionExtra = 0;
    bool buttonsShown = false;
    int buttonHeight = 16;
};

struct Layout {
    int width = 0;
    int timeHeight = 0;
    // Where the first world line goes; they are left-aligned, half the text margin in.
    int worldLeft = 0;
    int worldTop = 0;
    int buttonsTop = 0;
    int formHeightCalc = 0;
    int windowHeight = 0;
    int minWidth = 0;
};

// The least room between the mode letter's ink and the centred time's.
constexpr int kModeInkGap = 2;
Layout computeLayout(const LayoutInput& in);
// Only the width rules, for the slow tick.
int computeWidth(const LayoutInput& in);
// The zone-name line is shown only in the Timer mode and only when wanted.
bool tzLineShown(const ClockState& s);
// The name the zone-name line shows: the system zone's while no zone is selected.
const std::string& tzLineText(ClockState& s);

// Button geometry for a window width: left edges and the common width.
struct ButtonRow {
    int width = 0;
    int startLeft = 0;
    int pauseLeft = 0;
    int stopLeft = 0;
};
ButtonRow buttonRow(int windowWidth);

// What one display tick does to the time line.
struct DisplayTick {
    std::optional<std::string> text;  // new text for the time line, if any
    bool playTick = false;            // the tick key changed
    bool endEarly = false;            // a paused or stopped stopwatch: no raising, no tray tip
};
DisplayTick runDisplayTick(ClockState& s, const SystemClock& clock);

// Milliseconds until the time line's text can next change, aligned to the source of the shown
// value (wall clock, uptime counter or stopwatch start) and a little past the boundary, so one
// wake-up shows the new text. A stopwatch that is not running shows nothing new: the answer is
// then kIdleTickMs, and every action that could change it runs the tick at once anyway.
// While the tick sounds, the wait also ends at each change of the tick key (the shown value's
// seconds), so HH:MM still ticks once a second. In W, E and S shown world lines also end the
// wait when their text changes.
constexpr int kTickSlackMs = 2;
constexpr int kIdleTickMs = 1000;
int msUntilNextChange(const ClockState& s, const SystemClock& clock, bool tickSounds = false);

// The slow tick (widths, zone state, date line, tick file) rides on the display tick instead of
// a timer of its own: a display tick runs it when it falls due within kSlowTickEarlyMs, or when
// waiting for the next display tick would make it more than kSlowTickLateMs late; the display
// tick wakes for it alone only when the text changes more rarely than that. Showing seconds thus
// wakes once a second, with the slow tick on every other wake-up.
constexpr int kSlowTickMs = 2000;
constexpr int kSlowTickEarlyMs = 50;
constexpr int kSlowTickLateMs = 500;
bool slowTickDue(std::uint32_t msSinceSlowTick, int untilChangeMs);
// The wait before the next display tick, given the wait until the text changes.
int nextWakeMs(int untilChangeMs, std::uint32_t msSinceSlowTick);

}  // namespace temura
