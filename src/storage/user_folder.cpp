#include "storage/user_folder.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace temura {

std::string userFolder(Files& files, const std::string& xdgDataHome, const std::string& home) {
    const std::string program = files.programFolder();
    if (!program.empty() && files.folderWritable(program)) return program;

    fs::path dataHome;
    if (fs::path(xdgDataHome).is_absolute()) {
        dataHome = xdgDataHome;
    } else if (!home.empty()) {
        dataHome = fs::path(home) / ".local" / "share";
    } else {
        dataHome = files.tempFolder();
    }
    const std::string folder = (dataHome / "temura").string();
    // Failure to create it is left to the saves, which report or ignore it as their callers want.
    files.makeFolders(folder);
    return folder;
}

}  // namespace temura
