// The clock window's display tick, slow tick, tick sound and raising.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>

#include "clock/zone_arithmetic.h"
#include "platform/win32/wide_text.h"
#include "ui/data_file_rules.h"
#include "ui/lang_rules.h"
#include "ui/main_rules.h"
#include "wingui/colours.h"
#include "wingui/dialog_window.h"
#include "wingui/form_main.h"

namespace temura::wingui {

namespace {

bool fileExists(const std::string& path) {
    const DWORD a = GetFileAttributesW(win32::widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void TFormMain::TimerTimer() {
    const SystemClock& clock = m_services.clock;
    // First, so the display tick shows the zone state it refreshes.
    const int untilChange = msUntilNextChange(m_state, clock, tickWouldPlay());
    if (slowTickDue(clock.tickCount() - m_lastSlowTick, untilChange)) TimerSTimer();
    runDisplayTickOnce();
    scheduleDisplayTick(nextWakeMs(msUntilNextChange(m_state, clock, tickWouldPlay()),
                                   clock.tickCount() - m_lastSlowTick));
}

void TFormMain::scheduleDisplayTick(int ms) {
    if (!m_hwnd) return;  // no window to wake (a screenshot where none could be made)
    // A window timer fires on the system tick after it falls due (up to about 15.6 ms late),
    // never before: the clock reads the time from a precise source, so the wake sees the change.
    SetTimer(m_hwnd, kTimerDisplay, static_cast<UINT>(std::max(ms, USER_TIMER_MINIMUM)), nullptr);
}

void TFormMain::runDisplayTickOnce() {
    const DisplayTick tick = runDisplayTick(m_state, m_services.clock);
    if (tick.text) showTimeText(*tick.text);
    if (refreshWorldLines()) SetSize2();
    if (tick.playTick) PlayIt();
    if (tick.endEarly) return;
    raiseAboveOthers();
    m_trayTip = win32::widen(temura::trayTip(win32::narrow(lblTime.text)));
    m_tray.setTip(m_trayTip);
}

void TFormMain::showTimeText(const std::string& text) {
    const std::wstring t = win32::widen(text);
    if (t == lblTime.text) return;
    lblTime.text = t;
    invalidate(&lblTime.rect);
    if (m_trace != INVALID_HANDLE_VALUE) traceChange(text);
}

void TFormMain::openTrace() {
    // For measuring: each change of the time line with the wall-clock time it happened at.
    wchar_t path[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"TEMURA_TRACE_TICKS", path, MAX_PATH) == 0) return;
    m_trace = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
}

void TFormMain::traceChange(const std::string& text) {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    // 100 ns units since 1601 to milliseconds since 1970.
    const ULONGLONG ms = ticks / 10'000 - 11'644'473'600'000ULL;
    const std::string line = std::to_string(ms) + "\t" + text + "\n";
    DWORD written = 0;
    WriteFile(m_trace, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

bool TFormMain::raisingAllowed() const {
    if (m_state.InTray || m_state.FileDialogOpen || !IsWindowVisible(m_hwnd)) return false;
    // An open menu or the hint would be covered by the clock.
    if (m_menuOpen || IsWindowVisible(m_tooltip)) return false;
    // Nor one of its own windows, a message box or a file dialog.
    for (const DialogWindow* d : DialogWindow::all()) {
        if (d->visible()) return false;
    }
    return IsWindowEnabled(m_hwnd) != FALSE;
}

void TFormMain::raiseAboveOthers() {
    if (!raisingAllowed()) return;
    SetWindowPos(m_hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TFormMain::FormActivate() {
    // Clicking the clock brings it up, but never over one of its own open windows.
    raiseAboveOthers();
}

bool TFormMain::tickWouldPlay() const {
    return m_state.PlayTick && !m_state.InTray && m_hwnd && IsWindowVisible(m_hwnd) &&
           !aboutShowing();  // the box ticks itself
}

void TFormMain::PlayIt() {
    if (!tickWouldPlay()) return;
    if (m_state.bTickFile) {
        m_services.ticks.playFile(m_state.TickFilePath);
    } else {
        m_services.ticks.playBuiltIn();
    }
}

void TFormMain::SetbTickFile() {
    const auto found = findDataFile(m_services.dataFolders.empty()
                                        ? std::vector<std::string>{m_services.programFolder}
                                        : m_services.dataFolders,
                                    "temura.wav", fileExists);
    m_state.bTickFile = found.has_value();
    m_state.TickFilePath = found.value_or(std::string());
}

void TFormMain::TimerSTimer() {
    m_lastSlowTick = m_services.clock.tickCount();
    HDC dc = GetDC(m_hwnd);
    const LayoutInput in = measureLayout(dc, true);
    ReleaseDC(m_hwnd, dc);
    m_state.FormWidthCalc = computeWidth(in);
    const int wanted = std::max(m_state.FormWidthCalc, computeLayout(in).minWidth);
    if (wanted != m_size.cx) {
        m_size.cx = wanted;
        for (Label* l : {&lblTime, &lblDate, &lblTZ}) l->rect.right = wanted;
        SetWindowPos(m_hwnd, nullptr, 0, 0, m_size.cx, m_size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        updateTooltipRects();
        invalidate();
    }

    CheckZoneDST(m_state, m_services.clock);
    CalcZoneShift(m_state, m_services.clock);
    ReadSysZone(m_state, m_services.clock);
    if (m_state.DateVisible) {
        const std::wstring date =
            win32::widen(DateText(m_services.clock.localTime(), dateShiftMinutes(m_state),
                                  m_state.DateFormat, m_services.names));
        if (date != lblDate.text) {
            lblDate.text = date;
            invalidate(&lblDate.rect);
        }
    }
    if (m_state.PlayTick) SetbTickFile();
}

void TFormMain::WMTimeChange() {
    ReadSysZone(m_state, m_services.clock);
    CheckZoneDST(m_state, m_services.clock);
    CalcZoneShift(m_state, m_services.clock);
    GetCurrTZName(m_state, m_services.clock);
    SetLang();
    SetSize2();
    TimerSTimer();
    TimerTimer();  // the clock moved: wake at its new boundaries
}

void TFormMain::SetModeStr() {
    if (const auto mode = modeString(m_state)) lblMode.text = win32::widen(*mode);
    SetHint();
    SetSize2();
    TimerSTimer();
    invalidate();
}

void TFormMain::SetClPaused() {
    m_state.PausedColor = pausedColour(toColorRef(m_state.TimerFontColor));
}

}  // namespace temura::wingui
