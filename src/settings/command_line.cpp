#include "settings/command_line.h"

#include <initializer_list>
#include <string_view>

#include "clock/text_format.h"

namespace temura {

namespace {

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

char separatorOf(const std::string& path) {
    const bool back = path.find('\\') != std::string::npos;
    const bool forward = path.find('/') != std::string::npos;
    return back && !forward ? '\\' : '/';
}

bool isDriveLetter(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool isAbsolute(const std::string& path) {
    return isDriveLetter(path) || (!path.empty() && isSeparator(path[0]));
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(const std::string& arg, const std::string& prefix) {
    if (arg.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lowerAscii(arg[i]) != lowerAscii(prefix[i])) return false;
    }
    return true;
}

// The rest of the first argument that begins with one of the texts (tried in order): a switch
// matches any argument that begins with it, so "s" matches "start".
std::optional<std::string> findSwitch(const std::vector<std::string>& args,
                                      std::initializer_list<const char*> texts) {
    for (const char* text : texts) {
        const std::string t(text);
        for (const std::string& arg : args) {
            if (startsWithNoCase(arg, t)) return arg.substr(t.size());
        }
    }
    return std::nullopt;
}

std::optional<int> wantedPosition(const std::string& text) {
    std::int32_t v = 0;
    if (!TryParseInt(text, v)) return std::nullopt;
    return v;
}

}  // namespace

int clampStartPosition(int wanted, int desktopSize, int windowSize) {
    if (wanted < 0) return 0;
    if (wanted >= desktopSize) return desktopSize - windowSize;
    return wanted;
}

std::string fullPathAgainst(const std::string& folder, const std::string& name) {
    const std::string joined =
        isAbsolute(name) ? name : (folder.empty() ? name : folder + separatorOf(folder) + name);
    const char sep = separatorOf(isAbsolute(name) ? name : folder);

    std::string root;
    std::size_t i = 0;
    if (isDriveLetter(joined)) {
        root = joined.substr(0, 2);
        i = 2;
        if (i < joined.size() && isSeparator(joined[i])) {
            root += sep;
            ++i;
        }
    } else if (joined.size() >= 2 && isSeparator(joined[0]) && isSeparator(joined[1])) {
        root = std::string(2, sep);  // a network share
        i = 2;
    } else if (!joined.empty() && isSeparator(joined[0])) {
        root = std::string(1, sep);
        i = 1;
    }

    std::vector<std::string_view> parts;
    const std::string_view all(joined);
    while (i <= all.size()) {
        std::size_t end = i;
        while (end < all.size() && !isSeparator(all[end])) ++end;
        const std::string_view part = all.substr(i, end - i);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else if (root.empty()) {
                parts.push_back(part);  // a relative folder may go above itself
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = end + 1;
    }

    std::string out = root;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (k > 0) out += sep;
        out += parts[k];
    }
    return out;
}

std::string withSettingsExtension(const std::string& path) {
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (isSeparator(path[i])) nameStart = i + 1;
    }
    if (path.find('.', nameStart) != std::string::npos) return path;
    return path + ".temura";
}

CommandLineResult ParseParams(const CommandLineInput& in) {
    CommandLineResult r;
    const std::vector<std::string>& args = in.args;
    if (args.empty()) return r;
    const auto exists = [&in](const std::string& path) {
        return in.fileExists && in.fileExists(path);
    };

    // A double-clicked settings file arrives alone; then no switch is looked at.
    if (args.size() == 1) {
        const std::string name = StripQuotes(args[0]);
        if (!name.empty()) {
            const std::string path = withSettingsExtension(fullPathAgainst(in.currentFolder, name));
            if (exists(path)) {
                r.startupFile = path;
                return r;
            }
        }
    }

    // Every row is tested, in this order; among the mode rows the last that fires wins.
    if (findSwitch(args, {"t", "z", "timer", "zegar"})) r.mode = 0;
    if (findSwitch(args, {"e", "etime", "bmt"})) r.mode = 1;
    if (findSwitch(args, {"w", "windows"})) r.mode = 2;
    if (findSwitch(args, {"u", "utc"})) r.mode = 3;
    if (findSwitch(args, {"s", "stoper", "stopwatch"})) r.mode = 4;
    if (findSwitch(args, {"c", "center"})) r.center = true;
    if (const auto rest = findSwitch(args, {"x="})) {
        r.wantedX = wantedPosition(*rest);
        if (r.wantedX) r.x = clampStartPosition(*r.wantedX, in.desktopWidth, in.windowWidth);
    }
    if (const auto rest = findSwitch(args, {"y="})) {
        r.wantedY = wantedPosition(*rest);
        if (r.wantedY) r.y = clampStartPosition(*r.wantedY, in.desktopHeight, in.windowHeight);
    }
    if (findSwitch(args, {"start"})) r.startStopwatch = true;
    if (findSwitch(args, {"fs", "FullScreen"})) r.fullScreen = true;
    if (findSwitch(args, {"i"})) r.openHomePage = true;
    if (findSwitch(args, {"default", "d"})) {
        for (const std::string& folder : in.dataFolders) {
            const std::string path = fullPathAgainst(folder, "default.temura");
            if (exists(path)) {
                r.startupFile = path;
                break;
            }
        }
        if (r.startupFile.empty()) {
            // The built-in defaults put the clock back in Timer mode. They do not undo "fs":
            // full screen at start is decided when the full-screen window is created.
            r.applyDefaults = true;
            r.mode = 0;
        }
    }
    if (const auto rest = findSwitch(args, {"f="})) {
        r.currentFolder = in.userFolder;
        const std::string name = StripQuotes(*rest);
        if (!name.empty()) {
            const std::string path = withSettingsExtension(fullPathAgainst(in.userFolder, name));
            if (exists(path)) r.startupFile = path;
        }
    }
    return r;
}

}  // namespace temura
