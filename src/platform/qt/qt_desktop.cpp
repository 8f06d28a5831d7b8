#include "platform/qt/qt_desktop.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QUrl>

#include "platform/platform_factory.h"

namespace temura {

namespace {

struct SettingsProgram {
    const char* program;
    QStringList arguments;
};

// The date and time pages of the common desktops, in the order they are tried.
const SettingsProgram kDateTimePrograms[] = {
    {"gnome-control-center", {"datetime"}},
    {"systemsettings", {"kcm_clock"}},
    {"systemsettings5", {"clock"}},
    {"kcmshell5", {"clock"}},
    {"cinnamon-settings", {"calendar"}},
    {"mate-time-admin", {}},
    {"xfce4-datetime-settings", {}},
    {"lxqt-config-datetime", {}},
    {"timedate-admin", {}},
};

}  // namespace

bool QtDesktop::openUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

bool QtDesktop::openFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtDesktop::openDateTimeSettings() {
    if (openPlatformDateTimeSettings()) return true;
    for (const auto& candidate : kDateTimePrograms) {
        const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(candidate.program));
        if (!exe.isEmpty() && QProcess::startDetached(exe, candidate.arguments)) return true;
    }
    return false;
}

bool QtDesktop::trayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

std::optional<ScreenPoint> QtDesktop::taskbarClockPosition(int formWidth, int formHeight) const {
    return platformTaskbarClockPosition(formWidth, formHeight);
}

}  // namespace temura
