#pragma once

#include <optional>
#include <string>

namespace temura {

// The Exec value that runs `program` with `fieldCodes` after it (e.g. "%f"), quoted and escaped
// as desktop entries require, whatever characters the path holds.
std::string desktopExecValue(const std::string& program, const std::string& fieldCodes);

// The program path back from an Exec value written by desktopExecValue; none when it does not
// start with a quoted argument.
std::optional<std::string> desktopExecProgram(const std::string& execValue);

// A desktop entry value of type string: backslashes and line breaks escaped.
std::string desktopStringValue(const std::string& text);

// The launcher entry that starts the program (shortcuts on the desktop and in the menu).
std::string launcherEntry(const std::string& program, const std::string& workingFolder);
// The hidden entry that opens settings files with the program.
std::string settingsFileHandlerEntry(const std::string& program);
// The shared-mime-info package that names *.temura files.
std::string settingsMimePackage();

}  // namespace temura
