#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "wingui/gdi_font.h"

namespace temura::wingui {

// A modeless window of the clock's: owned by the clock, so the clock never covers it; made once,
// hidden when closed; Tab, Enter and Esc as in a dialog. Controls are made in code, sized in
// pixels at 96 DPI and scaled to the monitor's.
class DialogWindow {
  public:
    DialogWindow(HWND owner, const wchar_t* className, int clientWidth, int clientHeight);
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    void setTitle(const std::string& utf8);
    // Shown where it stood last (at first centred on the screen), and given the keyboard.
    void show();
    void hide();
    bool visible() const;
    // Closes it as the user would (Esc, the close box, its own key): onClose decides.
    void close();

    // The program's message loop gives every message here first; true when a dialog took it.
    static bool preTranslate(MSG& msg);
    // Every dialog window that exists, for the clock's rules about what it may cover.
    static const std::vector<DialogWindow*>& all();

  protected:
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // A control's notification (WM_COMMAND): its id, the code and the control.
    virtual void onCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
    // Before hiding on close; false keeps the window open.
    virtual bool onClose() { return true; }
    // Keys of the window's own beyond Tab, Enter and Esc (they arrive as WM_COMMAND with the
    // command id).
    void setAccelerators(const std::vector<ACCEL>& keys);

    int px(int dip) const { return MulDiv(dip, m_dpi, 96); }
    HWND add(const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int w, int h,
             int id, DWORD exStyle = 0);
    HWND button(const std::string& text, int x, int y, int w, int h, int id);
    HWND checkBox(const std::string& text, int x, int y, int w, int h, int id);
    HWND radio(const std::string& text, int x, int y, int w, int h, int id, bool firstOfGroup);
    HWND label(const std::string& text, int x, int y, int w, int h, int id = -1);
    HWND edit(const std::string& text, int x, int y, int w, int h, int id, DWORD extra = 0);
    HWND groupBox(const std::string& text, int x, int y, int w, int h);
    static void setText(HWND control, const std::string& utf8);
    static std::string text(HWND control);
    static void setChecked(HWND control, bool checked);
    static bool checked(HWND control);
    HFONT font() const { return m_font.handle(); }

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    HACCEL m_accel = nullptr;
    GdiFont m_font;
    int m_dpi = 96;
    bool m_placed = false;
};

}  // namespace temura::wingui
