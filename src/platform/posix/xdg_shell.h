#pragma once

#include <string>

#include "platform/files.h"
#include "platform/shell.h"

namespace temura {

// The association and shortcuts as freedesktop desktops know them: a shared-mime-info package
// and a hidden handler entry for *.temura, and Temura.desktop launchers.
class XdgShell : public Shell {
public:
    // dataHome: $XDG_DATA_HOME; desktopFolder: the XDG desktop folder.
    XdgShell(Files& files, std::string dataHome, std::string desktopFolder);

    bool SetAssoc(const std::string& programPath) override;
    void UnAssoc() override;
    bool CreateShortcut(const std::string& linkName, const std::string& target,
                        const std::string& location) override;
    bool ShortcutExists(const std::string& location) const override;
    void DeleteShortcut(const std::string& location) override;
    bool registerProgramPath(const std::string& programPath) override;
    void unregisterProgramPath() override;

    std::string mimePackagePath() const;
    std::string handlerEntryPath() const;
    // The folder a location name stands for; empty for an unknown name.
    std::string shortcutFolder(const std::string& location) const;

    // The default places, from the environment and the user's XDG folders.
    static std::string defaultDataHome();
    static std::string defaultDesktopFolder();

private:
    bool writeIfChanged(const std::string& path, const std::string& bytes, bool& changed);
    void refreshDesktopDatabases();

    Files& m_files;
    std::string m_dataHome;
    std::string m_desktop;
};

}  // namespace temura
