#include "mainwin/extra_args_rules.h"

namespace temura {

ExtraArgs parseExtraArgs(const std::vector<std::string>& args) {
    ExtraArgs out;
    const std::string shot = "--screenshot=";
    for (const std::string& a : args) {
        if (a.rfind("--", 0) != 0) {
            out.clockArgs.push_back(a);
        } else if (a == "--help") {
            out.help = true;
        } else if (a == "--version") {
            out.version = true;
        } else if (a.rfind(shot, 0) == 0 && a.size() > shot.size()) {
            out.screenshot = a.substr(shot.size());
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
           "                       (settings are not saved)\n";
}

}  // namespace temura
