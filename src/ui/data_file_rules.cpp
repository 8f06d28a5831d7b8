#include "ui/data_file_rules.h"

#include <filesystem>

#include "storage/utf8_path.h"

namespace temura {

std::optional<std::string> findDataFile(const std::vector<std::string>& folders,
                                        const std::string& relative,
                                        const std::function<bool(const std::string&)>& exists) {
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        const std::string path = utf8FromPath(pathFromUtf8(folder) / pathFromUtf8(relative));
        if (exists(path)) return path;
    }
    return std::nullopt;
}

std::vector<std::string> dataFolders(const std::string& programFolder,
                                     const std::string& userFolder) {
    std::vector<std::string> folders{programFolder};
    if (!userFolder.empty() && userFolder != programFolder) folders.push_back(userFolder);
    // An installed program lives in <prefix>/bin and its data in <prefix>/share/temura.
    const std::filesystem::path installed =
        pathFromUtf8(programFolder).parent_path() / "share" / "temura";
    folders.push_back(utf8FromPath(installed.lexically_normal()));
    return folders;
}

}  // namespace temura
