#include "platform/posix/xdg_shell.h"

#include <sys/stat.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>

#include "storage/desktop_entry.h"

namespace temura {

namespace fs = std::filesystem;

namespace {

std::string join(const std::string& folder, const std::string& name) {
    return (fs::path(folder) / name).string();
}

// Runs a helper of the desktop when it is installed; its absence is no error.
void runIfInstalled(const char* program, const QStringList& args) {
    const QString exe = QStandardPaths::findExecutable(QString::fromLatin1(program));
    if (exe.isEmpty()) return;
    QProcess p;
    p.start(exe, args);
    p.waitForFinished(10'000);
}

}  // namespace

XdgShell::XdgShell(Files& files, std::string dataHome, std::string desktopFolder)
    : m_files(files), m_dataHome(std::move(dataHome)), m_desktop(std::move(desktopFolder)) {}

std::string XdgShell::defaultDataHome() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return xdg.toStdString();
    return (QDir::homePath() + QStringLiteral("/.local/share")).toStdString();
}

std::string XdgShell::defaultDesktopFolder() {
    // Qt reads the user's XDG folder list (what xdg-user-dir answers) and falls back to ~/Desktop.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && desktop != QDir::homePath()) return desktop.toStdString();
    return (QDir::homePath() + QStringLiteral("/Desktop")).toStdString();
}

std::string XdgShell::mimePackagePath() const {
    return join(join(join(m_dataHome, "mime"), "packages"), "temura.xml");
}

std::string XdgShell::handlerEntryPath() const {
    return join(join(m_dataHome, "applications"), "temura-open.desktop");
}

std::string XdgShell::shortcutFolder(const std::string& location) const {
    if (location == "Desktop") return m_desktop;
    if (location == "Start Menu") return join(m_dataHome, "applications");
    return {};
}

bool XdgShell::writeIfChanged(const std::string& path, const std::string& bytes, bool& changed) {
    const auto old = m_files.readBytes(path);
    if (old && *old == bytes) return true;
    if (!m_files.makeFolders(fs::path(path).parent_path().string())) return false;
    if (!m_files.writeAtomically(path, bytes)) return false;
    changed = true;
    return true;
}

void XdgShell::refreshDesktopDatabases() {
    runIfInstalled("update-mime-database", {QString::fromStdString(join(m_dataHome, "mime"))});
    runIfInstalled("update-desktop-database",
                   {QString::fromStdString(join(m_dataHome, "applications"))});
}

bool XdgShell::SetAssoc(const std::string& programPath) {
    const bool isNew = !m_files.exists(mimePackagePath()) || !m_files.exists(handlerEntryPath());
    bool changed = false;
    // Rewritten at every start so that the association follows a moved program.
    const bool ok = writeIfChanged(mimePackagePath(), settingsMimePackage(), changed) &&
                    writeIfChanged(handlerEntryPath(), settingsFileHandlerEntry(programPath),
                                   changed);
    if (ok && changed) refreshDesktopDatabases();
    return ok && isNew;
}

void XdgShell::UnAssoc() {
    const bool had = m_files.exists(mimePackagePath()) || m_files.exists(handlerEntryPath());
    m_files.remove(mimePackagePath());
    m_files.remove(handlerEntryPath());
    if (had) refreshDesktopDatabases();
}

bool XdgShell::CreateShortcut(const std::string& linkName, const std::string& target,
                              const std::string& location) {
    const std::string folder = shortcutFolder(location);
    if (folder.empty() || !m_files.makeFolders(folder)) return false;
    const std::string path = join(folder, linkName + ".desktop");
    const std::string working = fs::path(target).parent_path().string();
    if (!m_files.writeAtomically(path, launcherEntry(target, working))) return false;
    // Desktops start a launcher on the desktop only when it is executable and trusted.
    ::chmod(path.c_str(), 0755);
    if (location == "Desktop") {
        runIfInstalled("gio", {QStringLiteral("set"), QString::fromStdString(path),
                               QStringLiteral("metadata::trusted"), QStringLiteral("true")});
    }
    return true;
}

bool XdgShell::ShortcutExists(const std::string& location) const {
    const std::string folder = shortcutFolder(location);
    return !folder.empty() && m_files.exists(join(folder, "Temura.desktop"));
}

void XdgShell::DeleteShortcut(const std::string& location) {
    const std::string folder = shortcutFolder(location);
    if (!folder.empty()) m_files.remove(join(folder, "Temura.desktop"));
}

bool XdgShell::registerProgramPath(const std::string&) {
    // Linux finds programs through PATH; there is nothing to register.
    return true;
}

void XdgShell::unregisterProgramPath() {}

}  // namespace temura
