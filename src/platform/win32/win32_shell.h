#pragma once

#include <string>

#include "platform/files.h"
#include "platform/shell.h"
#include "platform/win32/win32_registry.h"

namespace temura {

inline constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kAppPathsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Temura.exe";

// The Windows shell's registrations:
// - the association: HKCR ".Temura" -> "Temura", whose open command is "<exe>" "%1" and whose
//   icon is the program file's second one; SHChangeNotify tells the shell;
// - "Temura.lnk" shell links (IShellLinkW, IPersistFile) in the folders that the user's Shell
//   Folders key names "Desktop" and "Start Menu";
// - App Paths under HKLM, so that Run and "start temura" find the program.
// Program paths may come with "/" (as Qt gives them); they are written with "\".
class Win32Shell : public Shell {
  public:
    // `shellFoldersKey` is under HKCU; tests point it at folders of their own.
    explicit Win32Shell(Files& files, std::string shellFoldersKey = kShellFoldersKey);

    bool SetAssoc(const std::string& programPath) override;
    void UnAssoc() override;

    // False when the location names no folder, the folder cannot be made or the link not saved.
    bool CreateShortcut(const std::string& linkName, const std::string& target,
                        const std::string& location) override;
    bool ShortcutExists(const std::string& location) const override;
    void DeleteShortcut(const std::string& location) override;

    // False when the machine-wide key refuses the write (no administrator rights).
    bool registerProgramPath(const std::string& programPath) override;
    void unregisterProgramPath() override;

    // The folder the Shell Folders key names for a location; empty when it names none.
    std::string shortcutFolder(const std::string& location) const;

  private:
    std::string shortcutPath(const std::string& location) const;

    Files& m_files;
    Win32Registry m_registry;
    std::string m_shellFoldersKey;
};

}  // namespace temura
