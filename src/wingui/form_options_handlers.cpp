// The options window's answers: filling the controls from the clock and applying each control
// to the clock at once.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "platform/win32/wide_text.h"
#include "ui/save_rules.h"
#include "wingui/colours.h"
#include "wingui/form_options.h"
#include "wingui/form_options_ids.h"

namespace temura::wingui {

namespace {

constexpr const char* kDesktop = "Desktop";
constexpr const char* kStartMenu = "Start Menu";

LineFont timeLineFont(const ClockState& s, const DisplayLook& look) {
    return LineFont{look.TimerFontName, look.TimerFontSize, s.TimerFontBold, s.TimerFontItalic,
                    s.TimerFontColor};
}

// Set while a file dialog is open, however it ends: the clock must not climb over it.
class FileDialogFlag {
  public:
    explicit FileDialogFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FileDialogFlag() { m_flag = false; }
    FileDialogFlag(const FileDialogFlag&) = delete;
    FileDialogFlag& operator=(const FileDialogFlag&) = delete;

  private:
    bool& m_flag;
};

}  // namespace

// ---- filling ----

void TFormOptions::GetInfo() {
    const ClockState& s = m_main.state();
    m_filling = true;
    SendMessageW(tbAlpha, TBM_SETPOS, TRUE, percentFromAlpha(m_main.currentLook().Alpha));
    m_filling = false;
    // Runs once even when the position stayed, so the opacity lands on the slider's scale.
    tbAlphaChange();

    m_filling = true;
    const DisplayLook look = m_main.currentLook();
    const auto fill = [](const FontGroup& g, const LineFont& font) {
        SendMessageW(g.upDown, UDM_SETPOS32, 0, font.size);
        setText(g.fonts, font.name);
        setChecked(g.bold, font.bold);
        setChecked(g.italic, font.italic);
        setSwatch(g.colour, font.colour);
    };
    fill(gbFont, timeLineFont(s, look));
    setSwatch(shBgColor, look.TimerBgColor);
    const auto select = [this](int firstId, std::size_t count, int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < count) {
            CheckRadioButton(hwnd(), firstId, firstId + static_cast<int>(count) - 1,
                             firstId + index);
        }
    };
    select(kIdTimeFormat, rbTimeFormat.size(), s.TimeFormat);
    select(kIdETimeFormat, rbETimeFormat.size(), s.ETimeFormat);
    select(kIdDateFormat, rbDateFormat.size(), s.DateFormat);
    setChecked(chShowMode, s.ModeVisible);
    setChecked(chShowDate, s.DateVisible);
    setChecked(chShowTZ, s.TZVisible);
    setChecked(chShowWorld, s.WorldVisible);
    setChecked(chPlayTick, s.PlayTick);
    fill(gbDateFont, look.date);
    fill(gbTZFont, look.tz);
    const Shell* shell = m_main.services().shell;
    setChecked(chShortcut, shell && shell->ShortcutExists(kDesktop));
    setChecked(chMenuStart, shell && shell->ShortcutExists(kStartMenu));
    setChecked(rbEn, s.English);
    setChecked(rbPl, !s.English);
    m_filling = false;
}

void TFormOptions::open() {
    GetInfo();
    show();
}

// ---- messages ----

LRESULT TFormOptions::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(lParam);
            if (n->hwndFrom == pc && n->code == TCN_SELCHANGE) pcChange();
            return 0;
        }
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == tbAlpha && !m_filling) tbAlphaChange();
            return 0;
        case WM_VSCROLL:
            // An up-down's arrow moved its position.
            if (LOWORD(wParam) == SB_THUMBPOSITION && !m_filling) {
                const HWND from = reinterpret_cast<HWND>(lParam);
                for (const ClockLine line : {ClockLine::Time, ClockLine::Date, ClockLine::Zone}) {
                    if (group(line).upDown == from) changeFontSize(line);
                }
            }
            return 0;
        default:
            return DialogWindow::handle(message, wParam, lParam);
    }
}

void TFormOptions::onCommand(int id, int code, HWND) {
    if (m_filling) return;
    switch (id) {
        case kAccF6:
            m_main.runCommand(Command::ShowMode);
            return;
        case kAccF7:
            m_main.runCommand(Command::ShowDate);
            return;
        case kAccF8:
            m_main.runCommand(Command::ShowTZName);
            return;
        case kAccF9:
            m_main.runCommand(Command::PlayTick);
            return;
        case kAccF11:
            m_main.runCommand(Command::WorldLines);
            return;
        case kAccLoad:
        case kIdLoad:
            actLoadSettingsExecute();
            return;
        case kAccSave:
        case kIdSave:
            actSaveSettingsExecute();
            return;
        case kAccClose:
            close();
            return;
        case kIdDefault:
            m_main.runCommand(Command::Default);
            return;
        default:
            break;
    }
    // Colour rectangles.
    const std::pair<int, Swatch> swatches[] = {{kIdTimeGroup + kColourOffset, Swatch::TimeFont},
                                               {kIdBgColor, Swatch::Background},
                                               {kIdDateGroup + kColourOffset, Swatch::DateFont},
                                               {kIdZoneGroup + kColourOffset, Swatch::ZoneFont}};
    for (const auto& [swatchId, which] : swatches) {
        if (id != swatchId) continue;
        if (code == kSwatchLeftClick) chooseColour(which);
        if (code == kSwatchRightPress) setColour(which, defaultColour(which));
        return;
    }
    // The font groups' combo boxes take every keystroke and every item chosen.
    const std::pair<int, ClockLine> groups[] = {{kIdTimeGroup, ClockLine::Time},
                                                {kIdDateGroup, ClockLine::Date},
                                                {kIdZoneGroup, ClockLine::Zone}};
    for (const auto& [first, line] : groups) {
        if (id == first + kFontsOffset && (code == CBN_EDITCHANGE || code == CBN_SELCHANGE)) {
            changeFontName(line, code);
            return;
        }
        if ((id == first + kBoldOffset || id == first + kItalicOffset) && code == BN_CLICKED) {
            changeFontStyle(line);
            return;
        }
    }
    if (code != BN_CLICKED) return;
    const struct {
        int id;
        ClockLine from, to;
    } copies[] = {{kIdTimerToDate, ClockLine::Time, ClockLine::Date},
                  {kIdDateToTimer, ClockLine::Date, ClockLine::Time},
                  {kIdTimerToTZ, ClockLine::Time, ClockLine::Zone},
                  {kIdTZToTimer, ClockLine::Zone, ClockLine::Time},
                  {kIdDateToTZ, ClockLine::Date, ClockLine::Zone},
                  {kIdTZToDate, ClockLine::Zone, ClockLine::Date}};
    for (const auto& c : copies) {
        if (id == c.id) {
            copyFont(c.from, c.to);
            return;
        }
    }
    ClockState& s = m_main.state();
    if (id >= kIdTimeFormat && id < kIdTimeFormat + static_cast<int>(rbTimeFormat.size())) {
        s.TimeFormat = static_cast<std::uint8_t>(id - kIdTimeFormat);
        m_main.SetSize2();
    } else if (id >= kIdETimeFormat &&
               id < kIdETimeFormat + static_cast<int>(rbETimeFormat.size())) {
        s.ETimeFormat = static_cast<std::uint8_t>(id - kIdETimeFormat);
        m_main.SetSize2();
    } else if (id >= kIdDateFormat && id < kIdDateFormat + static_cast<int>(rbDateFormat.size())) {
        s.DateFormat = static_cast<std::uint8_t>(id - kIdDateFormat);
        m_main.SetSize2();
        m_main.TimerSTimer();  // the date line shows the new format at once
    }
    switch (id) {
        case kIdShowMode:
            setShown(&ClockState::ModeVisible, Command::ShowMode, chShowMode);
            break;
        case kIdShowDate:
            setShown(&ClockState::DateVisible, Command::ShowDate, chShowDate);
            break;
        case kIdShowTZ:
            setShown(&ClockState::TZVisible, Command::ShowTZName, chShowTZ);
            break;
        case kIdShowWorld:
            setShown(&ClockState::WorldVisible, Command::WorldLines, chShowWorld);
            break;
        case kIdPlayTick:
            setShown(&ClockState::PlayTick, Command::PlayTick, chPlayTick);
            break;
        case kIdShortcut:
            setShortcut(kDesktop, chShortcut);
            break;
        case kIdMenuStart:
            setShortcut(kStartMenu, chMenuStart);
            break;
        case kIdEnglish:
        case kIdPolish:
            rbEnClick();
            break;
        case kIdDelReg:
            btnDelRegClick();
            break;
        default:
            break;
    }
}

// ---- handlers ----

void TFormOptions::tbAlphaChange() {
    const int percent = static_cast<int>(SendMessageW(tbAlpha, TBM_GETPOS, 0, 0));
    setText(lblAlpha, percentText(percent));
    DisplayLook look = m_main.currentLook();
    look.Alpha = alphaFromPercent(percent);
    m_main.applyLook(look);
}

const TFormOptions::FontGroup& TFormOptions::group(ClockLine line) const {
    return line == ClockLine::Time ? gbFont : line == ClockLine::Date ? gbDateFont : gbTZFont;
}

HWND TFormOptions::swatchOf(Swatch which) const {
    switch (which) {
        case Swatch::TimeFont:
            return gbFont.colour;
        case Swatch::Background:
            return shBgColor;
        case Swatch::DateFont:
            return gbDateFont.colour;
        case Swatch::ZoneFont:
            return gbTZFont.colour;
    }
    return nullptr;
}

void TFormOptions::chooseColour(Swatch which) {
    const Colour shown = static_cast<Colour>(toColorRef(swatchValue(swatchOf(which))));
    if (const auto chosen = m_prompts.chooseColour(hwnd(), shown, m_customColours)) {
        setColour(which, *chosen);
    }
}

void TFormOptions::setColour(Swatch which, Colour colour) {
    setSwatch(swatchOf(which), colour);
    DisplayLook look = m_main.currentLook();
    setSwatchColour(which, colour, m_main.state(), look);
    m_main.applyLook(look);
    if (which == Swatch::TimeFont) m_main.SetClPaused();
    m_main.SetModeStr();
}

void TFormOptions::copyFont(ClockLine from, ClockLine to) {
    DisplayLook look = m_main.currentLook();
    copyLineFont(from, to, m_main.state(), look);
    m_main.applyLook(look);
    if (to == ClockLine::Time) m_main.SetClPaused();
    GetInfo();
    m_main.SetSize();
}

void TFormOptions::changeFontSize(ClockLine line) {
    const int size = static_cast<int>(SendMessageW(group(line).upDown, UDM_GETPOS32, 0, 0));
    DisplayLook look = m_main.currentLook();
    if (line == ClockLine::Time) look.TimerFontSize = size;
    if (line == ClockLine::Date) look.date.size = size;
    if (line == ClockLine::Zone) look.tz.size = size;
    m_main.applyLook(look);
    m_main.SetSize();
}

void TFormOptions::changeFontName(ClockLine line, int code) {
    const HWND combo = group(line).fonts;
    std::string face;
    if (code == CBN_SELCHANGE) {
        // The edit part takes the item only after this notification.
        const LRESULT item = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (item == CB_ERR) return;
        std::wstring text(static_cast<std::size_t>(
                              SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0)),
                          L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(text.data()));
        face = win32::narrow(text.c_str());
    } else {
        face = text(combo);
    }
    DisplayLook look = m_main.currentLook();
    if (line == ClockLine::Time) look.TimerFontName = face;
    if (line == ClockLine::Date) look.date.name = face;
    if (line == ClockLine::Zone) look.tz.name = face;
    m_main.applyLook(look);
    m_main.SetSize();
}

void TFormOptions::changeFontStyle(ClockLine line) {
    const bool bold = checked(group(line).bold);
    const bool italic = checked(group(line).italic);
    ClockState& s = m_main.state();
    DisplayLook look = m_main.currentLook();
    if (line == ClockLine::Time) {
        // The clock's Bold and Italic commands take their check marks from these.
        s.TimerFontBold = bold;
        s.TimerFontItalic = italic;
    }
    LineFont* font = line == ClockLine::Date   ? &look.date
                     : line == ClockLine::Zone ? &look.tz
                                               : nullptr;
    if (font) {
        font->bold = bold;
        font->italic = italic;
    }
    m_main.applyLook(look);
    m_main.SetSize();
}

// A box wants its setting on or off; the clock's own toggle gets it there, so the clock does
// what its key would.
void TFormOptions::setShown(bool ClockState::*field, Command toggle, HWND box) {
    if (m_main.state().*field != checked(box)) m_main.runCommand(toggle);
}

void TFormOptions::setShortcut(const char* location, HWND box) {
    if (Shell* shell = m_main.services().shell) {
        applyShortcutBox(*shell, location, checked(box), m_main.services().programPath);
    }
}

void TFormOptions::rbEnClick() {
    // The clock's language command switches every window and refreshes this one.
    if (checked(rbEn) != m_main.state().English) m_main.runCommand(Command::ChangeLanguage);
}

void TFormOptions::btnDelRegClick() {
    const bool english = m_main.state().English;
    const std::string question = optionsTexts(english).deleteRegistryQuestion;
    if (m_prompts.askYesNo(hwnd(), "Temura", question, english)) m_main.clearRegistryAndQuit();
}

void TFormOptions::actLoadSettingsExecute() {
    const MainServices& services = m_main.services();
    const std::string& start =
        services.userFolder.empty() ? services.programFolder : services.userFolder;
    std::string picked;
    {
        const FileDialogFlag flag(m_main.state().FileDialogOpen);
        picked = m_prompts.openFileName(hwnd(), start, settingsFileFilter(m_main.state().English),
                                        kSettingsExtension);
    }
    if (!picked.empty()) m_main.loadSettings(picked);
}

void TFormOptions::actSaveSettingsExecute() {
    if (m_openSave) m_openSave();
}

}  // namespace temura::wingui
