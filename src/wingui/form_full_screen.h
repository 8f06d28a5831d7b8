#pragma once

#include <windows.h>

#include <functional>

#include "clock/clock_state.h"

namespace temura::wingui {

// A plain area in the clock's background colour over the whole screen, behind the clock, with
// the pointer hidden over it. Esc and F10 ask the clock to leave full screen.
class TFormFullScreen {
  public:
    explicit TFormFullScreen(std::function<void()> leaveRequested);
    ~TFormFullScreen();
    TFormFullScreen(const TFormFullScreen&) = delete;
    TFormFullScreen& operator=(const TFormFullScreen&) = delete;

    HWND hwnd() const { return m_hwnd; }
    void setBackground(Colour rgb);
    // Covers `screen` and shows itself without taking the clock's place on top.
    void showOver(const RECT& screen);
    void hide();
    bool visible() const;

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> m_leaveRequested;
    HWND m_hwnd = nullptr;
    HBRUSH m_brush = nullptr;
};

}  // namespace temura::wingui
