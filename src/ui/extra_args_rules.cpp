#include "ui/extra_args_rules.h"

namespace temura {

namespace {

bool isMilliseconds(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

ExtraArgs parseExtraArgs(const std::vector<std::string>& args) {
    ExtraArgs out;
    const std::string shot = "--screenshot=";
    const std::string closeAfter = "--close-after=";
    for (const std::string& a : args) {
        if (a.rfind("--", 0) != 0) {
            out.clockArgs.push_back(a);
        } else if (a == "--help") {
            out.help = true;
        } else if (a == "--version") {
            out.version = true;
        } else if (a.rfind(shot, 0) == 0 && a.size() > shot.size()) {
            out.screenshot = a.substr(shot.size());
        } else if (a.rfind(closeAfter, 0) == 0 && isMilliseconds(a.substr(closeAfter.size()))) {
            out.closeAfterMs = std::stoi(a.substr(closeAfter.size()));
        } else {
            out.unknown.push_back(a);
        }
    }
    return out;
}

std::string usageText() {
    return "Usage: temura [switches] [settings-file.temura]\n"
           "A small always-on-top desktop clock.\n"
           "\n"
           "  --help               show this text and exit\n"
           "  --version            show the version and exit\n"
           "  --screenshot=FILE    show the clock once, save it as a PNG picture and exit\n"
           "                       (settings are not saved)\n"
           "  --close-after=MS     close the clock after MS milliseconds, saving its settings\n"
           "                       as a close by the user does (for scripts and tests)\n";
}

}  // namespace temura
