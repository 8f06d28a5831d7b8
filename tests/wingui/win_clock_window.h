#pragma once

// The Windows clock window on fakes, and the message pump the tests drive it with.

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "support/fake_desktop.h"
#include "support/fake_system_clock.h"
#include "support/fake_tick_player.h"
#include "wingui/dialog_window.h"
#include "wingui/form_main.h"

namespace temura::test {

// Runs the messages waiting for the thread, the way the program's loop does, for `ms`.
inline void pump(wingui::TFormMain* form, int ms = 0) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;  // a closed clock's; the next test goes on
            if (wingui::DialogWindow::preTranslate(msg)) continue;
            if (form && form->translateAccelerator(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (ms > 0) Sleep(5);
    } while (static_cast<int>(GetTickCount() - end) < 0);
}

// Presses keys with their modifiers as a user would, releasing them in reverse: SendInput sets
// the keyboard state that accelerators read, which a posted WM_KEYDOWN would not.
inline void pressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        in.push_back(i);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// The text of a menu item by position, as the menu holds it.
inline std::string menuString(HMENU menu, UINT position) {
    wchar_t buffer[256] = {};
    GetMenuStringW(menu, position, buffer, static_cast<int>(std::size(buffer)), MF_BYPOSITION);
    return win32::narrow(buffer);
}

inline UINT menuState(HMENU menu, UINT position) {
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STATE;
    GetMenuItemInfoW(menu, position, TRUE, &mi);
    return mi.fState;
}

class ClockWindow {
  public:
    FakeSystemClock clock;
    FakeDesktop desktop;
    FakeTickPlayer ticks;
    ClockState state;
    std::unique_ptr<wingui::TFormMain> form;

    ClockWindow() {
        clock.setWarsawWinter();
        clock.setLocal(2026, 12, 7, 23, 30, 15, 420);
        clock.utc = clock.local;
        clock.utc.hour = 22;
        clock.uptime = 100ull * 3'600'000 + 61'000;
        clock.tick = 5'000;
        desktop.tray = true;
        state.English = true;
    }

    wingui::MainServices services(std::vector<std::string> args = {}) {
        return wingui::MainServices{clock,
                                    desktop,
                                    ticks,
                                    englishLocaleNames(),
                                    "C:\\nonexistent",
                                    {"C:\\nonexistent"},
                                    registry,
                                    shell,
                                    files,
                                    "C:\\nonexistent\\temura.exe",
                                    "C:\\nonexistent",
                                    std::move(args)};
    }

    void make(std::vector<std::string> args = {}) {
        form = std::make_unique<wingui::TFormMain>(state, services(std::move(args)));
        form->show();
        pump(form.get());
    }

    // What the time line shows after a display tick.
    std::string timeText() {
        form->TimerTimer();
        return win32::narrow(form->lblTime.text);
    }

    void command(Command c) {
        SendMessageW(form->hwnd(), WM_COMMAND, static_cast<WPARAM>(c), 0);
        pump(form.get());
    }

    Registry* registry = nullptr;
    Shell* shell = nullptr;
    Files* files = nullptr;
};

}  // namespace temura::test
