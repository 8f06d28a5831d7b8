#include "storage/desktop_entry.h"

namespace temura {

namespace {

constexpr const char* kCrLf = "\n";

// Characters that need a backslash inside a quoted Exec argument.
bool needsQuoteEscape(char c) { return c == '"' || c == '`' || c == '$' || c == '\\'; }

}  // namespace

std::string desktopStringValue(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string desktopExecValue(const std::string& program, const std::string& fieldCodes) {
    // Quoting comes first, then "%" doubling, then the string escapes of the whole value:
    // readers undo them in the opposite order.
    std::string quoted = "\"";
    for (char c : program) {
        if (needsQuoteEscape(c)) quoted += '\\';
        if (c == '%') {
            quoted += "%%";
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    if (!fieldCodes.empty()) quoted += " " + fieldCodes;
    return desktopStringValue(quoted);
}

std::optional<std::string> desktopExecProgram(const std::string& execValue) {
    std::string unescaped;
    for (std::size_t i = 0; i < execValue.size(); ++i) {
        const char c = execValue[i];
        if (c != '\\' || i + 1 == execValue.size()) {
            unescaped += c;
            continue;
        }
        const char n = execValue[++i];
        switch (n) {
            case 'n': unescaped += '\n'; break;
            case 't': unescaped += '\t'; break;
            case 'r': unescaped += '\r'; break;
            case 's': unescaped += ' '; break;
            default: unescaped += n;
        }
    }
    if (unescaped.empty() || unescaped[0] != '"') return std::nullopt;
    std::string program;
    for (std::size_t i = 1; i < unescaped.size(); ++i) {
        const char c = unescaped[i];
        if (c == '"') return program;
        if (c == '\\' && i + 1 < unescaped.size() && needsQuoteEscape(unescaped[i + 1])) {
            program += unescaped[++i];
        } else if (c == '%' && i + 1 < unescaped.size() && unescaped[i + 1] == '%') {
            program += '%';
            ++i;
        } else {
            program += c;
        }
    }
    return std::nullopt;
}

std::string launcherEntry(const std::string& program, const std::string& workingFolder) {
    return std::string("[Desktop Entry]") + kCrLf + "Type=Application" + kCrLf +
           "Name=Temura" + kCrLf + "Comment=Always-on-top desktop clock" + kCrLf +
           "Exec=" + desktopExecValue(program, "") + kCrLf +
           "Path=" + desktopStringValue(workingFolder) + kCrLf + "Icon=temura" + kCrLf +
           "Terminal=false" + kCrLf + "Categories=Utility;Clock;" + kCrLf;
}

std::string settingsFileHandlerEntry(const std::string& program) {
    return std::string("[Desktop Entry]") + kCrLf + "Type=Application" + kCrLf +
           "Name=Temura" + kCrLf + "Comment=Open Temura settings files" + kCrLf +
           "Exec=" + desktopExecValue(program, "%f") + kCrLf + "Icon=temura" + kCrLf +
           "Terminal=false" + kCrLf + "NoDisplay=true" + kCrLf +
           "MimeType=application/x-temura;" + kCrLf;
}

std::string settingsMimePackage() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"application/x-temura\">\n"
           "    <comment>Temura settings</comment>\n"
           "    <glob pattern=\"*.temura\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

}  // namespace temura
