#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace temura {

// The first of `folders` that holds `relative` (a path such as "Help/help.html"), joined with
// the platform's separator; none when no folder has it.
std::optional<std::string> findDataFile(const std::vector<std::string>& folders,
                                        const std::string& relative,
                                        const std::function<bool(const std::string&)>& exists);

// The folders the program's data files are looked up in: its own folder, the user folder and
// the installed data folder.
std::vector<std::string> dataFolders(const std::string& programFolder,
                                     const std::string& userFolder);

}  // namespace temura
