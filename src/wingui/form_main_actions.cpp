// The clock window's commands: modes, formats, fonts, lines, the stopwatch, full screen and the
// tray.

#include "app/links.h"
#include "clock/zone_arithmetic.h"
#include "platform/win32/wide_text.h"
#include "ui/data_file_rules.h"
#include "wingui/colours.h"
#include "wingui/form_full_screen.h"
#include "wingui/form_main.h"

namespace temura::wingui {

void TFormMain::runCommand(Command c) {
    runCommandOnly(c);
    if (c != Command::Close) notify(m_settingsListeners);
}

void TFormMain::runCommandOnly(Command c) {
    const std::uint32_t tick = m_services.clock.tickCount();
    switch (c) {
        case Command::SelectTimeZone:
            if (m_openers.timeZones) m_openers.timeZones();
            break;
        case Command::Options:
            if (m_openers.options) m_openers.options();
            break;
        case Command::LoadSettings:
            if (m_openers.loadSettings) m_openers.loadSettings();
            break;
        case Command::SaveSettings:
            if (m_openers.saveSettings) m_openers.saveSettings();
            break;
        case Command::About:
            if (m_openers.about) m_openers.about();
            break;
        case Command::SetModeT:
        case Command::SetModeE:
        case Command::SetModeW:
        case Command::SetModeU:
        case Command::SetModeS:
            setMode(static_cast<std::uint8_t>(static_cast<int>(c) -
                                              static_cast<int>(Command::SetModeT)));
            break;
        case Command::ChangeMode:
            lblModeClick();
            break;
        case Command::Start:
            applyStopwatch(actStart(m_state, tick));
            break;
        case Command::Pause:
            applyStopwatch(actPause(m_state, tick));
            break;
        case Command::Stop:
            applyStopwatch(actStop(m_state, tick));
            break;
        case Command::StoperIncSec:
            applyStopwatch(actStoperIncSec(m_state));
            break;
        case Command::StoperDecSec:
            applyStopwatch(actStoperDecSec(m_state, tick));
            break;
        case Command::StoperIncMin:
            applyStopwatch(actStoperIncMin(m_state));
            break;
        case Command::StoperDecMin:
            applyStopwatch(actStoperDecMin(m_state, tick));
            break;
        case Command::ShowButtons:
            actShowButtonsExecute();
            break;
        case Command::ShowMode:
            m_state.ModeVisible = !m_state.ModeVisible;
            SetSize();
            break;
        case Command::ShowDate:
            m_state.DateVisible = !m_state.DateVisible;
            if (m_state.DateVisible) TimerSTimer();
            SetSize();
            break;
        case Command::ShowTZName:
            m_state.TZVisible = !m_state.TZVisible;
            SetSize();
            break;
        case Command::PlayTick:
            actPlayTickExecute();
            break;
        case Command::FullScreen:
            if (m_state.FullScreen) {
                leaveFullScreen();
            } else {
                enterFullScreen();
            }
            break;
        case Command::WorldLines:
            m_state.WorldVisible = !m_state.WorldVisible;
            worldLinesChanged();
            break;
        case Command::FontSizePlus:
            changeFontSize(+1);
            break;
        case Command::FontSizeMinus:
            changeFontSize(-1);
            break;
        case Command::FontBold:
            toggleFontStyle(false);
            break;
        case Command::FontItalic:
            toggleFontStyle(true);
            break;
        case Command::DefaultTimeZone:
            actDefaultTimeZoneExecute(m_state);
            showZoneChanged();
            break;
        case Command::ChangeTimeFormat:
            m_state.TimeFormat = nextTimeFormat(m_state.TimeFormat);
            TimerTimer();
            SetSize2();
            break;
        case Command::ChangeETimeFormat:
            m_state.ETimeFormat = nextETimeFormat(m_state.ETimeFormat);
            TimerTimer();
            SetSize2();
            break;
        case Command::ChangeDateFormat:
            m_state.DateFormat = nextDateFormat(m_state.DateFormat);
            TimerSTimer();
            SetSize2();
            break;
        case Command::SysClock:
            actSysClockExecute();
            break;
        case Command::ChangeLanguage:
            actChangeLanguageExecute();
            break;
        case Command::Default:
            actDefaultExecute();
            break;
        case Command::Help:
            actHelpExecute();
            break;
        case Command::Minimize:
            actMinimizeExecute();
            break;
        case Command::Restore:
            actRestoreExecute();
            break;
        case Command::Close:
            actCloseExecute();
            break;
        default:
            break;
    }
}

void TFormMain::setMode(std::uint8_t mode) {
    m_state.Mode = mode;
    if (mode == kModeStopwatch) showTimeText(m_state.StopwatchReading);
    SetModeStr();
    TimerTimer();
}

void TFormMain::lblModeClick() {
    setMode(nextMode(m_state.Mode));
}

void TFormMain::changeFontSize(int step) {
    FontSpec spec = lblTime.font.spec();
    spec.pointSize = stepFontSize(spec.pointSize, step);
    lblTime.font.set(spec, m_dpi);
    SetSize();
}

void TFormMain::toggleFontStyle(bool italic) {
    bool& flag = italic ? m_state.TimerFontItalic : m_state.TimerFontBold;
    flag = !flag;
    FontSpec spec = lblTime.font.spec();
    spec.bold = m_state.TimerFontBold;
    spec.italic = m_state.TimerFontItalic;
    lblTime.font.set(spec, m_dpi);
    SetSize();
}

void TFormMain::actShowButtonsExecute() {
    m_buttonsShown = !m_buttonsShown;
    SetSize();
}

void TFormMain::actPlayTickExecute() {
    m_state.PlayTick = !m_state.PlayTick;
    if (m_state.PlayTick) SetbTickFile();
    TimerTimer();  // the schedule follows the tick from its next second
}

void TFormMain::applyStopwatch(const StopwatchEffects& e) {
    if (e.timeText) showTimeText(*e.timeText);
    if (e.resetTimeColour) {
        m_timeColour = m_state.TimerFontColor;
        invalidate();
    }
    if (e.blink) {
        if (*e.blink) {
            SetTimer(m_hwnd, kTimerP, 500, nullptr);
        } else {
            KillTimer(m_hwnd, kTimerP);
        }
    }
    if (e.title) m_appTitle = *e.title;
    if (e.relayout) SetSize();
    if (m_state.Mode == kModeStopwatch || e.enableDisplayTick) TimerTimer();
}

void TFormMain::actSysClockExecute() {
    const auto pos =
        m_services.desktop.taskbarClockPosition(m_state.FormWidthCalc, m_state.FormHeightCalc);
    if (pos && pos->x != 0 && pos->y != 0) moveTo(pos->x, pos->y);
}

void TFormMain::actChangeLanguageExecute() {
    m_state.English = !m_state.English;
    SetLang();
    SetModeStr();
}

void TFormMain::actHelpExecute() {
    const auto help =
        findDataFile(m_services.dataFolders, "Help/help.html", [](const std::string& path) {
            const DWORD a = GetFileAttributesW(win32::widen(path).c_str());
            return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
        });
    if (help) {
        m_services.desktop.openFile(*help);
    } else {
        m_services.desktop.openUrl(links::kHelpPage);
    }
}

void TFormMain::actCloseExecute() {
    if (m_state.FullScreen) {
        leaveFullScreen();
        return;
    }
    PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
}

// ---- full screen ----

void TFormMain::enterFullScreen() {
    const POINT at = position();
    m_state.SavedLeft = at.x;
    m_state.SavedTop = at.y;
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const int sh = GetSystemMetrics(SM_CYSCREEN);
    moveTo(sw / 2 - m_size.cx / 2, sh / 2 - m_size.cy / 2);
    m_fullScreen->setBackground(m_timeBackground);
    m_fullScreen->showOver(RECT{0, 0, sw, sh});
    m_state.FullScreen = true;
    // The clock above the area, with the keyboard, so Esc and F10 reach it.
    SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(m_hwnd);
}

void TFormMain::leaveFullScreen() {
    m_fullScreen->hide();
    m_state.FullScreen = false;
    moveTo(m_state.SavedLeft, m_state.SavedTop);
}

// ---- the tray ----

void TFormMain::actMinimizeExecute() {
    // The full-screen area would stay behind with the pointer hidden.
    if (m_state.FullScreen) leaveFullScreen();
    for (const auto& close : m_closeOnMinimize) close();
    m_tray.show();
    m_tray.setTip(m_trayTip);
    ShowWindow(m_hwnd, SW_HIDE);
    m_state.InTray = true;
}

void TFormMain::actRestoreExecute() {
    if (!m_state.InTray) return;
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    SetForegroundWindow(m_hwnd);
    m_tray.hide();
    m_state.InTray = false;
    TimerTimer();
}

}  // namespace temura::wingui
