#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/desktop.h"
#include "platform/tick_player.h"
#include "ui/about_rules.h"
#include "wingui/dialog_window.h"

namespace temura::wingui {

class TFormMain;

// The round About box: name, version and two links over a dial that sweeps once in six minutes
// and ticks like the clock. Borderless and topmost, owned by the clock; what it shows is drawn
// onto a picture of its own each second, and painting copies that picture.
class TFormAbout2 : public DialogWindow {
  public:
    static constexpr UINT_PTR kTimer1 = 1;
    enum Id : int { kClose = 201, kIncGST };
    enum class Link { None, Www, Author };

    // Registers with the clock: it closes with the clock's trip to the tray, silences the
    // clock's tick while shown, and closes with the key that opens it.
    explicit TFormAbout2(TFormMain& main);
    ~TFormAbout2() override;

    // The opener of the clock's About command: shows the box and draws it at once.
    void open();
    void Timer1Timer();
    // One frame: the animation's colour steps for this degree, then the picture afresh.
    void Rep();

    AboutAnimation& animation() { return m_animation; }
    bool timerRunning() const { return m_timerOn; }
    // The version line as last drawn (it follows the language at the next draw).
    const std::string& shownVersion() const { return m_shownVersion; }
    // A pixel of the picture, in client coordinates.
    COLORREF pixel(int x, int y) const { return GetPixel(m_canvasDc, x, y); }
    // Where a link line takes clicks, in client coordinates.
    RECT linkRect(Link link) const;

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCommand(int id, int code, HWND control) override;

  private:
    void render();
    Link linkAt(POINT p) const;
    void openLink(Link link);
    void addHints();

    TFormMain& m_main;
    Desktop& m_desktop;
    TickPlayer& m_ticks;
    AboutAnimation m_animation;
    int m_size = 0;  // the window is a circle this wide, in pixels
    HDC m_canvasDc = nullptr;
    HBITMAP m_canvas = nullptr;
    HGDIOBJ m_oldCanvas = nullptr;
    HFONT m_titleFont = nullptr;
    HFONT m_smallFont = nullptr;
    HFONT m_linkFont = nullptr;
    HWND m_tooltip = nullptr;
    int m_linkHeight = 0;
    int m_authorTop = 0;
    bool m_timerOn = false;
    std::string m_shownVersion;
    // A press, until it turns into a drag or a click.
    bool m_pressed = false;
    POINT m_pressAt{};
    Link m_pressLink = Link::None;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);  // for the clock's listeners
};

}  // namespace temura::wingui
