#pragma once

#include <string>
#include <vector>

namespace temura {

// The program's own "--" arguments, which are not clock switches.
struct ExtraArgs {
    bool help = false;
    bool version = false;
    std::string screenshot;              // --screenshot=FILE
    int closeAfterMs = -1;               // --close-after=MS: close as the user would, after MS
    std::vector<std::string> unknown;    // other "--" arguments, reported and ignored
    std::vector<std::string> clockArgs;  // everything else, in order, for the clock's switches
};

ExtraArgs parseExtraArgs(const std::vector<std::string>& args);

std::string usageText();

}  // namespace temura
