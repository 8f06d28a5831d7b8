#pragma once

#include <string>

#include "platform/files.h"

namespace temura {

// The folder the program writes its own files to and opens file dialogs in: the program's folder
// when it can be written (a copy of the program in a folder of its own), otherwise
// <data home>/temura, created when missing (an installed program in /usr/bin). The data home is
// `xdgDataHome` when it is an absolute path (relative ones are invalid by the XDG rules), else
// <home>/.local/share, else the temporary folder. No trailing separator.
std::string userFolder(Files& files, const std::string& xdgDataHome, const std::string& home);

// The same on Windows: the program's folder when it can be written; on a CD-ROM the temporary
// folder; otherwise <local application data>\Temura, created when missing (a program installed
// in Program Files would otherwise lose the user's zones), or the temporary folder without one.
std::string windowsUserFolder(Files& files, bool programOnCdRom, const std::string& localAppData);

}  // namespace temura
