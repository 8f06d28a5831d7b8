#include "ui/menu_rules.h"

#include "clock/stopwatch.h"

namespace temura {

namespace {

using T = MainTexts;

MenuItem item(Command c, std::string T::*caption, const char* shortcut) {
    return MenuItem{ItemKind::Command, c, caption, shortcut, {}};
}

MenuItem submenu(Command c, std::string T::*caption, std::vector<MenuItem> children) {
    return MenuItem{ItemKind::Submenu, c, caption, "", std::move(children)};
}

MenuItem header(Command c, std::string T::*caption) {
    return MenuItem{ItemKind::Header, c, caption, "", {}};
}

MenuItem separator() {
    return MenuItem{ItemKind::Separator, Command::None, nullptr, "", {}};
}

std::vector<MenuItem> buildPopMain() {
    return {
        submenu(Command::SubMode, &T::popMode,
                {item(Command::SetModeT, &T::actSetModeT, "Ctrl+1"),
                 item(Command::SetModeE, &T::actSetModeE, "Ctrl+2"),
                 item(Command::SetModeW, &T::actSetModeW, "Ctrl+3"),
                 item(Command::SetModeU, &T::actSetModeU, "Ctrl+4"), separator(),
                 item(Command::SetModeS, &T::actSetModeS, "Ctrl+5")}),
        header(Command::Sep1, &T::popSep1),
        item(Command::Start, &T::popStart, "F2"),
        item(Command::Pause, &T::popPause, "F3"),
        item(Command::Stop, &T::popStop, "F4"),
        item(Command::ShowButtons, &T::popShowButtons, "F5"),
        submenu(Command::SubStopwatchSteps, &T::popIncDecStopwatch,
                {item(Command::StoperIncSec, &T::actStoperIncSec, "Ctrl+Right"),
                 item(Command::StoperDecSec, &T::actStoperDecSec, "Ctrl+Left"), separator(),
                 item(Command::StoperIncMin, &T::actStoperIncMin, "Ctrl+Shift+Right"),
                 item(Command::StoperDecMin, &T::actStoperDecMin, "Ctrl+Shift+Left")}),
        header(Command::Sep2, &T::popSep2),
        item(Command::ShowMode, &T::actShowMode, "F6"),
        item(Command::ShowDate, &T::actShowDate, "F7"),
        item(Command::ShowTZName, &T::actShowTZName, "F8"),
        item(Command::PlayTick, &T::actPlayTick, "F9"),
        item(Command::FullScreen, &T::actFullScreen, "F10"),
        item(Command::WorldLines, &T::actWorldLines, "F11"),
        // Their captions carry the keys already.
        submenu(Command::SubFont, &T::popFont,
                {item(Command::FontSizePlus, &T::popFontSizePlus, ""),
                 item(Command::FontSizeMinus, &T::popFontSizeMinus, ""), separator(),
                 item(Command::FontBold, &T::actFontBold, "Ctrl+B"),
                 item(Command::FontItalic, &T::actFontItalic, "Ctrl+I")}),
        separator(),
        submenu(Command::SubTimeZone, &T::popTimeZone,
                {item(Command::DefaultTimeZone, &T::actDefaultTimeZone, "Ctrl+Shift+D"),
                 item(Command::SelectTimeZone, &T::actSelectTimeZone, "Ctrl+Shift+Z")}),
        separator(),
        item(Command::LoadSettings, &T::actLoadSettings, "Ctrl+O"),
        item(Command::SaveSettings, &T::actSaveSettings, "Ctrl+S"),
        separator(),
        item(Command::Options, &T::actOptions, "F12"),
        header(Command::Sep3, &T::popSep3),
        item(Command::Help, &T::actHelp, "F1"),
        item(Command::About, &T::actAbout, "Shift+F1"),
        separator(),
        item(Command::Minimize, &T::actMinimize, "Ctrl+M"),
        // Drawn with its shortcut inside the caption.
        MenuItem{ItemKind::Exit, Command::Close, &T::popExit, "", {}},
    };
}

std::vector<MenuItem> buildPopCti() {
    return {
        item(Command::Restore, &T::popCtiRestore, ""),
        separator(),
        item(Command::SetModeT, &T::popCtiTimer, ""),
        item(Command::SetModeE, &T::popCtiBMT, ""),
        item(Command::SetModeW, &T::popCtiWindows, ""),
        item(Command::SetModeU, &T::popCtiUTC, ""),
        item(Command::SetModeS, &T::popCtiStopwatch, ""),
        separator(),
        item(Command::Close, &T::popCtiExit, ""),
    };
}

bool modeChecked(Command c, const ClockState& s) {
    return static_cast<int>(c) - static_cast<int>(Command::SetModeT) == s.Mode;
}

bool needsWindows(Command c) {
    return c == Command::SelectTimeZone || c == Command::LoadSettings ||
           c == Command::SaveSettings || c == Command::Options || c == Command::About;
}

}  // namespace

const std::vector<MenuItem>& popMainItems() {
    static const std::vector<MenuItem> items = buildPopMain();
    return items;
}

const std::vector<MenuItem>& popCtiItems() {
    static const std::vector<MenuItem> items = buildPopCti();
    return items;
}

const std::vector<Shortcut>& mainShortcuts() {
    static const std::vector<Shortcut> keys = {
        {Command::SetModeT, "Ctrl+1"},
        {Command::SetModeE, "Ctrl+2"},
        {Command::SetModeW, "Ctrl+3"},
        {Command::SetModeU, "Ctrl+4"},
        {Command::SetModeS, "Ctrl+5"},
        {Command::Start, "F2"},
        {Command::Pause, "F3"},
        {Command::Stop, "F4"},
        {Command::ShowButtons, "F5"},
        {Command::StoperIncSec, "Ctrl+Right"},
        {Command::StoperDecSec, "Ctrl+Left"},
        {Command::StoperIncMin, "Ctrl+Shift+Right"},
        {Command::StoperDecMin, "Ctrl+Shift+Left"},
        {Command::ShowMode, "F6"},
        {Command::ShowDate, "F7"},
        {Command::ShowTZName, "F8"},
        {Command::PlayTick, "F9"},
        {Command::FullScreen, "F10"},
        {Command::WorldLines, "F11"},
        // Ctrl with the "=" / "+" key, whether or not Shift is needed to reach "+".
        {Command::FontSizePlus, "Ctrl+="},
        {Command::FontSizePlus, "Ctrl+Shift+="},
        {Command::FontSizePlus, "Ctrl++"},
        {Command::FontSizeMinus, "Ctrl+-"},
        {Command::FontBold, "Ctrl+B"},
        {Command::FontItalic, "Ctrl+I"},
        {Command::DefaultTimeZone, "Ctrl+Shift+D"},
        {Command::SelectTimeZone, "Ctrl+Shift+Z"},
        {Command::LoadSettings, "Ctrl+O"},
        {Command::SaveSettings, "Ctrl+S"},
        {Command::Options, "F12"},
        {Command::Help, "F1"},
        {Command::About, "Shift+F1"},
        {Command::Minimize, "Ctrl+M"},
        {Command::Close, "Esc"},
        {Command::SysClock, "Ctrl+Shift+C"},
        {Command::ChangeLanguage, "Ctrl+Shift+L"},
        {Command::ChangeTimeFormat, "Ctrl+Shift+T"},
        {Command::ChangeETimeFormat, "Ctrl+Shift+E"},
        {Command::ChangeDateFormat, "Ctrl+Shift+A"},
        {Command::ChangeMode, "Ctrl+Shift+M"},
        {Command::Default, "Shift+F12"},
    };
    return keys;
}

ItemState menuItemState(Command c, const ClockState& s, const MenuContext& context) {
    ItemState st;
    switch (c) {
        case Command::SetModeT:
        case Command::SetModeE:
        case Command::SetModeW:
        case Command::SetModeU:
        case Command::SetModeS:
            st.checked = modeChecked(c, s);
            break;
        case Command::SubStopwatchSteps:
            st.enabled = s.Mode == kModeStopwatch && stopwatchRunning(s);
            break;
        case Command::ShowTZName:
            st.enabled = s.Mode == kModeTimer;
            st.checked = s.TZVisible;
            break;
        case Command::SubTimeZone:
            st.enabled = s.Mode == kModeTimer;
            break;
        case Command::ShowButtons:
            st.checked = context.buttonsShown;
            break;
        case Command::ShowMode:
            st.checked = s.ModeVisible;
            break;
        case Command::ShowDate:
            st.checked = s.DateVisible;
            break;
        case Command::PlayTick:
            st.checked = s.PlayTick;
            break;
        case Command::FullScreen:
            st.checked = s.FullScreen;
            break;
        case Command::WorldLines:
            st.checked = s.WorldVisible;
            break;
        case Command::FontBold:
            st.checked = s.TimerFontBold;
            break;
        case Command::FontItalic:
            st.checked = s.TimerFontItalic;
            break;
        default:
            break;
    }
    if (needsWindows(c)) st.enabled = context.windowsAvailable;
    return st;
}

}  // namespace temura
