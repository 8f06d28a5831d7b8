#pragma once

#include <string>

namespace temura {

// The desktop shell's registrations: the settings-file association, the "Temura" shortcuts and
// the program path. Failures are reported by the result, never thrown.
class Shell {
public:
    virtual ~Shell() = default;

    // Registers *.temura to open with the program; true when it was not registered before.
    virtual bool SetAssoc(const std::string& programPath) = 0;
    virtual void UnAssoc() = 0;

    // `location` is "Desktop" or "Start Menu".
    virtual bool CreateShortcut(const std::string& linkName, const std::string& target,
                                const std::string& location) = 0;
    virtual bool ShortcutExists(const std::string& location) const = 0;
    virtual void DeleteShortcut(const std::string& location) = 0;

    // The program path registration (App Paths on Windows; nothing on Linux).
    virtual bool registerProgramPath(const std::string& programPath) = 0;
    virtual void unregisterProgramPath() = 0;
};

}  // namespace temura
