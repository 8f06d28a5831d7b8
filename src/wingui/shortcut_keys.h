#pragma once

#include <windows.h>

#include <optional>

namespace temura::wingui {

// The accelerator for a shortcut as the menus write it ("Ctrl+Shift+D", "F12", "Esc", "Ctrl+=");
// none for a key name it does not know. The command is left for the caller.
std::optional<ACCEL> acceleratorFor(const char* keys);

}  // namespace temura::wingui
