#include "platform/win32/win32_tick_player.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include "platform/win32/wide_text.h"
#include "wingui/resources/resource_ids.h"

namespace temura {

void Win32TickPlayer::playFile(const std::string& path) {
    // PlaySound copies the name before it returns, so the temporary may go.
    const std::wstring name = win32::widen(win32::nativePath(path));
    if (name.empty()) return;
    PlaySoundW(name.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void Win32TickPlayer::playBuiltIn() {
    PlaySoundW(MAKEINTRESOURCEW(IDW_TICK), GetModuleHandleW(nullptr),
               SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace temura
