// The clock window's stored settings: the look, the registry at start and close, the command
// line and settings files.

#include "app/links.h"
#include "platform/win32/wide_text.h"
#include "settings/command_line.h"
#include "settings/settings_file.h"
#include "ui/data_file_rules.h"
#include "wingui/colours.h"
#include "wingui/form_full_screen.h"
#include "wingui/form_main.h"

namespace temura::wingui {

namespace {

bool fileExists(const std::string& path) {
    const DWORD a = GetFileAttributesW(win32::widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string currentFolder() {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(std::size(buffer)), buffer);
    return n > 0 && n < std::size(buffer) ? win32::narrow(std::wstring(buffer, n)) : std::string();
}

FontSpec specOf(const LineFont& f) {
    return FontSpec{f.name, f.size, f.bold, f.italic};
}

LineFont lineFontOf(const Label& l) {
    LineFont f;
    f.name = l.font.spec().name;
    f.size = l.font.spec().pointSize;
    f.bold = l.font.spec().bold;
    f.italic = l.font.spec().italic;
    f.colour = l.colour;
    return f;
}

}  // namespace

SettingsEnv TFormMain::settingsEnv() const {
    SettingsEnv env{m_services.clock, m_services.programPath};
    env.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    env.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    env.desktopWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    env.desktopHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    env.localePolish = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_POLISH;
    wchar_t shortDate[80] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, shortDate,
                    static_cast<int>(std::size(shortDate)));
    const std::wstring format = shortDate;
    env.monthFirst = format.find(L'M') < format.find(L'd');
    return env;
}

// The built-in look, until stored settings replace it.
void TFormMain::applyStartLook() {
    m_state.TimerFontBold = true;
    m_state.TimerFontItalic = false;
    m_state.ModeVisible = true;
    m_state.TZVisible = true;
    m_state.PlayTick = true;
    DisplayLook look;
    look.X = GetSystemMetrics(SM_CXSCREEN) / 2;
    look.Y = GetSystemMetrics(SM_CYSCREEN) / 2;
    applyLook(look);
}

void TFormMain::applyLook(const DisplayLook& look) {
    m_timeBackground = look.TimerBgColor;
    lblTime.font.set(FontSpec{look.TimerFontName, look.TimerFontSize, m_state.TimerFontBold,
                              m_state.TimerFontItalic},
                     m_dpi);
    lblDate.font.set(specOf(look.date), m_dpi);
    lblTZ.font.set(specOf(look.tz), m_dpi);
    m_timeColour = m_state.TimerFontColor;
    lblDate.colour = toColorRef(look.date.colour);
    lblTZ.colour = toColorRef(look.tz.colour);
    m_lookDateColour = look.date.colour;
    m_lookTzColour = look.tz.colour;
    m_buttonsShown = look.ButtonsVisible;
    m_fullScreen->setBackground(m_timeBackground);
    setOpacity(look.Alpha);
    moveTo(look.X, look.Y);
    invalidate();
}

DisplayLook TFormMain::currentLook() const {
    DisplayLook look;
    const POINT at = position();
    look.X = at.x;
    look.Y = at.y;
    look.TimerFontName = lblTime.font.spec().name;
    look.TimerFontSize = lblTime.font.spec().pointSize;
    look.date = lineFontOf(lblDate);
    look.date.colour = m_lookDateColour;
    look.tz = lineFontOf(lblTZ);
    look.tz.colour = m_lookTzColour;
    look.TimerBgColor = m_timeBackground;
    look.Alpha = m_alpha;
    look.ButtonsVisible = m_buttonsShown;
    return look;
}

void TFormMain::readStoredSettings() {
    if (!m_services.registry || !m_services.shell) return;
    DisplayLook look = currentLook();
    const RegistryReadResult read =
        GetInfoFromReg(*m_services.registry, *m_services.shell, m_state, look, settingsEnv());
    applyWindowUpdate(read.update, look);
}

void TFormMain::applyWindowUpdate(const WindowUpdate& update, const DisplayLook& look) {
    if (!update.applied) return;
    applyLook(look);
    if (update.mode) setMode(*update.mode);
    if (update.fullScreen != FullScreenChange::None) runCommand(Command::FullScreen);
    if (update.zoneChanged) showZoneChanged();
    SetSize();
    SetClPaused();
    SetLang();  // a settings file may bring the other language
    SetModeStr();
    TimerSTimer();
    notify(m_settingsListeners);
}

void TFormMain::applyCommandLine() {
    if (m_services.clockArgs.empty()) return;
    CommandLineInput in;
    in.args = m_services.clockArgs;
    in.fileExists = fileExists;
    in.currentFolder = currentFolder();
    in.userFolder =
        m_services.userFolder.empty() ? m_services.programFolder : m_services.userFolder;
    in.dataFolders = m_services.dataFolders;
    in.desktopWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    in.desktopHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    in.windowWidth = m_size.cx;
    in.windowHeight = m_size.cy;
    const CommandLineResult r = ParseParams(in);

    m_startupFile = r.startupFile;
    if (r.applyDefaults) {
        DisplayLook look = currentLook();
        applyWindowUpdate(applyBuiltInDefaults(m_state, look), look);
    }
    if (r.mode) setMode(*r.mode);
    if (r.center) m_centreOnShow = true;
    m_startX = r.wantedX;
    m_startY = r.wantedY;
    if (r.startStopwatch) runCommand(Command::Start);
    if (r.fullScreen) m_startFullScreen = true;
    if (r.openHomePage) m_services.desktop.openUrl(links::kHomePage);
    if (r.currentFolder) SetCurrentDirectoryW(win32::widen(*r.currentFolder).c_str());
}

void TFormMain::applyStartPosition() {
    const int dw = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int dh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    POINT at = position();
    if (m_startX) at.x = clampStartPosition(*m_startX, dw, m_size.cx);
    if (m_startY) at.y = clampStartPosition(*m_startY, dh, m_size.cy);
    if (m_startX || m_startY) moveTo(at.x, at.y);
    m_startX.reset();
    m_startY.reset();
}

void TFormMain::loadSettings(const std::string& path) {
    if (!m_services.files) return;
    DisplayLook look = currentLook();
    const WindowUpdate update =
        loadSettingsFile(*m_services.files, path, m_state, look, settingsEnv());
    applyWindowUpdate(update, look);
    if (!update.applied) return;
    for (const auto& f : m_fileListeners) f(path);
}

void TFormMain::loadStartupFile() {
    if (!m_startupFile.empty() && fileExists(m_startupFile)) loadSettings(m_startupFile);
}

void TFormMain::actDefaultExecute() {
    const auto defaults = findDataFile(m_services.dataFolders, "default.temura", fileExists);
    if (defaults && m_services.files) {
        loadSettings(*defaults);
        return;
    }
    DisplayLook look = currentLook();
    applyWindowUpdate(applyBuiltInDefaults(m_state, look), look);
}

bool TFormMain::saveSettingsToRegistry() {
    if (!m_services.registry) return false;
    return SaveInfoToReg(*m_services.registry, m_state, currentLook(), m_services.programPath);
}

}  // namespace temura::wingui
