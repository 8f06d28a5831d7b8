#pragma once

// The clock's command-line switches, read once at start right after the registry settings.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace temura {

struct CommandLineInput {
    // The clock's arguments, without the program's own "--" options.
    std::vector<std::string> args;
    std::function<bool(const std::string&)> fileExists;
    std::string currentFolder;
    // "f=" resolves against it, and it becomes the current folder.
    std::string userFolder;
    // Where "default.temura" is looked for, in order.
    std::vector<std::string> dataFolders;
    // The virtual desktop, for "x=" and "y=".
    int desktopWidth = 0;
    int desktopHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
};

// The net effect of the arguments. Apply in this order: the built-in defaults when
// `applyDefaults` (their Timer mode is already in `mode`); enter `mode`; the position (`center`
// wins over `x` and `y`); start the stopwatch; full screen at start (FullScreen and the
// start-in-full-screen flag); open the home page; change the current folder. The start-up
// settings file is loaded last, after the windows exist, and overrides all of it.
struct CommandLineResult {
    std::string startupFile;  // full path of an existing settings file, or empty
    std::optional<std::uint8_t> mode;
    bool center = false;
    std::optional<int> x;
    std::optional<int> y;
    // The numbers as given: the mode and the stopwatch switches change the window's size, so
    // the window clamps these again with its final size (clampStartPosition).
    std::optional<int> wantedX;
    std::optional<int> wantedY;
    bool startStopwatch = false;
    bool fullScreen = false;
    bool openHomePage = false;
    bool applyDefaults = false;  // the built-in ones: no "default.temura" was found
    std::optional<std::string> currentFolder;
};

CommandLineResult ParseParams(const CommandLineInput& in);

// An "x=" or "y=" edge: below 0 gives 0; at or beyond the desktop's edge the window is put flush
// against it.
int clampStartPosition(int wanted, int desktopSize, int windowSize);

// `name` made absolute against `folder` (kept when already absolute), "." and ".." folded away.
// The separator is the folder's own ("\" for a folder written with backslashes, else "/").
std::string fullPathAgainst(const std::string& folder, const std::string& name);
// ".temura" added when the file name has no extension.
std::string withSettingsExtension(const std::string& path);

}  // namespace temura
