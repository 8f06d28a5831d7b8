#include "storage/user_folder.h"

#include <filesystem>

#include "storage/utf8_path.h"

namespace fs = std::filesystem;

namespace temura {

std::string userFolder(Files& files, const std::string& xdgDataHome, const std::string& home) {
    const std::string program = files.programFolder();
    if (!program.empty() && files.folderWritable(program)) return program;

    fs::path dataHome;
    if (pathFromUtf8(xdgDataHome).is_absolute()) {
        dataHome = pathFromUtf8(xdgDataHome);
    } else if (!home.empty()) {
        dataHome = pathFromUtf8(home) / ".local" / "share";
    } else {
        dataHome = pathFromUtf8(files.tempFolder());
    }
    const std::string folder = utf8FromPath(dataHome / "temura");
    // Failure to create it is left to the saves, which report or ignore it as their callers want.
    files.makeFolders(folder);
    return folder;
}

std::string windowsUserFolder(Files& files, bool programOnCdRom, const std::string& localAppData) {
    const std::string program = files.programFolder();
    if (!program.empty() && files.folderWritable(program)) return program;
    if (programOnCdRom || localAppData.empty()) return files.tempFolder();
    const std::string folder = localAppData + "\\Temura";
    files.makeFolders(folder);
    return folder;
}

}  // namespace temura
