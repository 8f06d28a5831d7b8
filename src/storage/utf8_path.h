#pragma once

#include <filesystem>
#include <string>

namespace temura {

// Paths are UTF-8 text throughout the program. std::filesystem takes and gives a narrow string
// in the system's ANSI code page on Windows, which would garble every non-ASCII name, so paths
// cross into and out of it through its UTF-8 forms. (On Linux both are the bytes as they are.)
inline std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace temura
