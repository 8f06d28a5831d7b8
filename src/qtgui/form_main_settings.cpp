// The main window's stored settings: read at start, the command line, settings files, the
// defaults, the save at close and the wipe.

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

#include "app/links.h"
#include "clock/stopwatch.h"
#include "qtgui/colour_qt.h"
#include "qtgui/form_full_screen.h"
#include "qtgui/form_main.h"
#include "settings/command_line.h"
#include "settings/settings_file.h"
#include "ui/data_file_rules.h"

namespace temura {

namespace {

bool fileExists(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).isFile();
}

}  // namespace

SettingsEnv TFormMain::settingsEnv() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    SettingsEnv env{m_services.clock, m_services.programPath};
    env.screenWidth = screen->geometry().width();
    env.screenHeight = screen->geometry().height();
    env.desktopWidth = screen->virtualSize().width();
    env.desktopHeight = screen->virtualSize().height();
    const QLocale locale = QLocale::system();
    env.localePolish = locale.language() == QLocale::Polish;
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    env.monthFirst = shortDate.indexOf(QLatin1Char('M')) < shortDate.indexOf(QLatin1Char('d'));
    return env;
}

void TFormMain::readStoredSettings() {
    if (!m_services.registry || !m_services.shell) return;
    DisplayLook look = currentLook();
    const RegistryReadResult read =
        GetInfoFromReg(*m_services.registry, *m_services.shell, m_state, look, settingsEnv());
    applyWindowUpdate(read.update, look);
}

void TFormMain::applyCommandLine() {
    if (m_services.clockArgs.empty()) return;
    CommandLineInput in;
    in.args = m_services.clockArgs;
    in.fileExists = fileExists;
    in.currentFolder = QDir::currentPath().toStdString();
    in.userFolder =
        m_services.userFolder.empty() ? m_services.programFolder : m_services.userFolder;
    in.dataFolders = m_services.dataFolders;
    const QSize desktop = QGuiApplication::primaryScreen()->virtualSize();
    in.desktopWidth = desktop.width();
    in.desktopHeight = desktop.height();
    in.windowWidth = width();
    in.windowHeight = height();
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
    if (r.startStopwatch) actStart->trigger();
    if (r.fullScreen) {
        m_state.FullScreen = true;
        m_startFullScreen = true;
        actFullScreen->setChecked(true);
    }
    if (r.openHomePage) m_services.desktop.openUrl(links::kHomePage);
    if (r.currentFolder) QDir::setCurrent(QString::fromStdString(*r.currentFolder));
}

void TFormMain::applyStartPosition() {
    const QSize desktop = QGuiApplication::primaryScreen()->virtualSize();
    if (m_startX) move(clampStartPosition(*m_startX, desktop.width(), width()), y());
    if (m_startY) move(x(), clampStartPosition(*m_startY, desktop.height(), height()));
    m_startX.reset();
    m_startY.reset();
}

void TFormMain::applyWindowUpdate(const WindowUpdate& update, const DisplayLook& look) {
    if (!update.applied) return;
    applyLook(look);
    if (update.mode) setMode(*update.mode);
    if (update.fullScreen != FullScreenChange::None) actFullScreenExecute();
    if (update.zoneChanged) showZoneChanged();
    SetSize();
    SetClPaused();
    SetModeStr();
    TimerSTimer();
    if (m_fullScreen) m_fullScreen->setBackground(toQColor(look.TimerBgColor));
    emit settingsChanged();
}

void TFormMain::loadSettings(const std::string& path) {
    if (!m_services.files) return;
    DisplayLook look = currentLook();
    const WindowUpdate update =
        loadSettingsFile(*m_services.files, path, m_state, look, settingsEnv());
    applyWindowUpdate(update, look);
    if (!update.applied) return;
    m_loadedFile = QString::fromStdString(path);
    emit settingsFileLoaded(m_loadedFile);
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

void TFormMain::clearRegistryAndQuit() {
    if (m_services.registry && m_services.shell) {
        ClearRegAndExit(*m_services.registry, *m_services.shell);
    }
    m_saveOnClose = false;
    close();
}

void TFormMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    TimerTimer();  // the first tick at once: the time stands there when the window appears
    if (m_centreOnShow) {
        m_centreOnShow = false;
        // The middle of the primary screen, not of all the monitors together.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        move(screen.center() - QPoint(width() / 2, height() / 2));
    }
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (m_saveOnClose) saveSettingsToRegistry();
    event->accept();
    // A tool window does not end the application by itself when it closes.
    QCoreApplication::quit();
}

}  // namespace temura
