#include "wingui/shortcut_keys.h"

#include <string>

namespace temura::wingui {

namespace {

std::optional<WORD> virtualKey(const std::string& name) {
    if (name.size() == 1) {
        const char c = name[0];
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) return static_cast<WORD>(c);
        if (c == '-') return static_cast<WORD>(VK_OEM_MINUS);
        if (c == '=') return static_cast<WORD>(VK_OEM_PLUS);  // the "=" / "+" key
        if (c == '+') return static_cast<WORD>(VK_ADD);       // the keypad's
        return std::nullopt;
    }
    if (name == "Esc") return static_cast<WORD>(VK_ESCAPE);
    if (name == "Left") return static_cast<WORD>(VK_LEFT);
    if (name == "Right") return static_cast<WORD>(VK_RIGHT);
    if (name.size() >= 2 && name[0] == 'F') {
        int n = 0;
        for (std::size_t i = 1; i < name.size(); ++i) {
            if (name[i] < '0' || name[i] > '9') return std::nullopt;
            n = n * 10 + (name[i] - '0');
        }
        if (n >= 1 && n <= 24) return static_cast<WORD>(VK_F1 + n - 1);
    }
    return std::nullopt;
}

}  // namespace

std::optional<ACCEL> acceleratorFor(const char* keys) {
    std::string rest = keys;
    ACCEL a{};
    a.fVirt = FVIRTKEY;
    for (;;) {
        if (rest.rfind("Ctrl+", 0) == 0 && rest.size() > 5) {
            a.fVirt |= FCONTROL;
            rest.erase(0, 5);
        } else if (rest.rfind("Shift+", 0) == 0 && rest.size() > 6) {
            a.fVirt |= FSHIFT;
            rest.erase(0, 6);
        } else {
            break;
        }
    }
    const auto key = virtualKey(rest);
    if (!key) return std::nullopt;
    a.key = *key;
    return a;
}

}  // namespace temura::wingui
