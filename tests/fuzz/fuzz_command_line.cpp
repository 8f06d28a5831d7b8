// The command line: arguments are the input cut at NULs and line breaks. Positions stay on the
// desktop, a settings file is only ever one that exists, and paths come out absolute and folded.

#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "settings/command_line.h"

namespace {

using namespace temura;

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// A root ("/", "//" for a share, "C:" or "C:/", or those with backslashes), then names joined by
// one kind of separator, none of them empty, "." or "..".
bool foldedAbsolute(const std::string& path) {
    std::size_t i = 0;
    if (path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
        i = 2;
        if (i < path.size() && isSeparator(path[i])) ++i;
    } else if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        i = 2;
    } else if (!path.empty() && isSeparator(path[0])) {
        i = 1;
    } else {
        return false;
    }
    if (i == path.size()) return true;
    char sep = 0;
    std::size_t start = i;
    for (std::size_t k = i; k <= path.size(); ++k) {
        if (k < path.size() && !isSeparator(path[k])) continue;
        const std::string part = path.substr(start, k - start);
        if (part.empty() || part == "." || part == "..") return false;
        if (k < path.size()) {
            if (sep != 0 && path[k] != sep) return false;
            sep = path[k];
        }
        start = k + 1;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = temura::fuzz::bytesOf(data, size);
    CommandLineInput in;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find_first_of(std::string("\0\n", 2), start);
        if (end == std::string::npos) end = bytes.size();
        in.args.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    if (bytes.empty()) in.args.clear();

    // A file "exists" by a rule of its name, so the fuzzer can reach both branches.
    std::set<std::string> asked;
    in.fileExists = [&asked](const std::string& path) {
        asked.insert(path);
        return path.size() % 3 == 0;
    };
    in.currentFolder = "/home/user/Documents";
    in.userFolder = "/home/user/.local/share/temura";
    in.dataFolders = {"/opt/temura", "/usr/share/temura"};
    in.desktopWidth = 2560;
    in.desktopHeight = 1440;
    in.windowWidth = 180;
    in.windowHeight = 60;

    const CommandLineResult r = ParseParams(in);
    if (r.x) FUZZ_CHECK(*r.x >= 0 && *r.x < in.desktopWidth);
    if (r.y) FUZZ_CHECK(*r.y >= 0 && *r.y < in.desktopHeight);
    if (r.mode) FUZZ_CHECK(*r.mode <= 4);
    if (r.applyDefaults) FUZZ_CHECK(r.mode == 0);
    if (!r.startupFile.empty()) {
        FUZZ_CHECK(asked.contains(r.startupFile) && in.fileExists(r.startupFile));
        FUZZ_CHECK(foldedAbsolute(r.startupFile));
    }
    if (r.currentFolder) FUZZ_CHECK(*r.currentFolder == in.userFolder);
    for (const std::string& path : asked) FUZZ_CHECK(foldedAbsolute(path));

    // The path rules on their own: folding is done once and for all.
    for (const std::string& arg : in.args) {
        const std::string full = fullPathAgainst(in.currentFolder, arg);
        FUZZ_CHECK(fullPathAgainst(in.currentFolder, full) == full);
        const std::string named = withSettingsExtension(full);
        FUZZ_CHECK(withSettingsExtension(named) == named);
    }
    return 0;
}
