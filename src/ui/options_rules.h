#pragma once

// The options window's rules: its texts in both languages, the transparency scale, the window
// sizes of its pages, the colours its swatches fall back to and the font copy between lines.

#include <array>
#include <cstdint>
#include <string>

#include "clock/clock_state.h"
#include "platform/shell.h"
#include "settings/display_look.h"

namespace temura {

// Every caption of the options window for one language; members are named after the control
// that shows the text.
struct OptionsTexts {
    std::string caption;
    std::string tsMain;
    std::string tsFonts;
    std::string tsFormat;
    std::string tsLang;
    std::string tsRegistry;
    std::string lblBg;
    std::string lblTransparency;
    std::string chShowMode;
    std::string chShowDate;
    std::string chShowTZ;
    std::string chShowWorld;
    std::string chPlayTick;
    std::string chShortcut;
    std::string chMenuStart;
    std::string gbFont;
    std::string gbDateFont;
    std::string gbTZFont;
    std::string lblFontSize;  // the same in the three font groups
    std::string lblFontName;
    std::string lblFontColor;
    std::string lblFontStyle;
    std::string chBold;
    std::string chItalic;
    std::string gbTimeFormat;
    std::string gbETimeFormat;
    std::string gbDateFormat;
    std::array<std::string, 3> timeFormats;   // by TimeFormat
    std::array<std::string, 3> eTimeFormats;  // by ETimeFormat
    std::array<std::string, 6> dateFormats;   // by DateFormat: examples for Monday 14.11.2005
    std::string gbLang;
    std::string rbEn;
    std::string rbPl;
    std::string btnDelReg;
    std::string actLoadSettings;
    std::string actSaveSettings;
    std::string fontColourHint;  // lines end in CR LF
    std::string bgColourHint;
    std::string deleteRegistryQuestion;
};

OptionsTexts optionsTexts(bool english);

// Transparency in percent (0 opaque) to the main window's opacity: never fully invisible.
int alphaFromPercent(int percent);
// The slider position that shows an opacity.
int percentFromAlpha(int alpha);
// "35 %".
std::string percentText(int percent);

// The four colour swatches.
enum class Swatch { TimeFont, Background, DateFont, ZoneFont };

// System-colour codes the swatches fall back to on a right click.
inline constexpr Colour kSysColourWindow = 0xFF000005u;
inline constexpr Colour kSysColourWindowText = 0xFF000008u;
inline constexpr Colour kSysColourBtnFace = 0xFF00000Fu;
Colour defaultColour(Swatch swatch);

// What a swatch shows, and setting it: the time line's colour is TimerFontColor (its label
// blinks while the stopwatch is paused), the background belongs to all three lines.
Colour swatchColour(Swatch swatch, const ClockState& state, const DisplayLook& look);
void setSwatchColour(Swatch swatch, Colour colour, ClockState& state, DisplayLook& look);

// The colour dialog's five custom colours: the system's window and button-face colours as RGB,
// then three fixed pastels.
std::array<Colour, 5> customColours(Colour windowRgb, Colour buttonFaceRgb);

// Copies face, size, style and colour of one line onto another. The time line's style and
// colour are ClockState's TimerFontBold, TimerFontItalic and TimerFontColor.
enum class ClockLine { Time, Date, Zone };
void copyLineFont(ClockLine from, ClockLine to, ClockState& state, DisplayLook& look);

// A shortcut box ticked or cleared: ticking makes the "Temura" shortcut to `programPath` in
// `location` ("Desktop", "Start Menu") unless one is there; clearing removes one that is there.
void applyShortcutBox(Shell& shell, const std::string& location, bool ticked,
                      const std::string& programPath);

// The window sizes of the pages. The Fonts page puts the time and date groups side by side
// and the zone-name group centred under them; every other page uses the compact size.
struct PageRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
};
struct PageSize {
    int width = 0;
    int height = 0;
    bool operator==(const PageSize&) const = default;
};
// `pageTop` is where the pages start inside the page control, `buttonHeight` the height of
// the buttons along the bottom.
PageSize compactSize(const PageRect& gbTimeFormat, const PageRect& gbETimeFormat, int pageTop,
                     int buttonHeight);
struct FontsPage {
    int gbFontLeft = 0;
    int gbDateFontLeft = 0;
    int gbTZFontLeft = 0;
    PageSize window;
};
// `gbFont` gives the group's width (its left is set to 10); `gbTZFontBottom` where the
// zone-name group ends on the page.
FontsPage fontsPage(int gbFontWidth, int gbTZFontBottom, int pageTop, int buttonHeight);

}  // namespace temura
