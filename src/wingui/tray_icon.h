#pragma once

#include <windows.h>

#include <string>

namespace temura::wingui {

// The clock's icon in the notification area (Shell_NotifyIconW), reporting to one window.
class TrayIcon {
  public:
    static constexpr UINT kMessage = WM_APP + 1;

    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { hide(); }

    void attach(HWND window, HICON icon);
    void show();
    void hide();
    // After the taskbar restarted: its icons are gone, ours comes back if it was shown.
    void showAgain();
    void setTip(const std::wstring& tip);
    bool shown() const { return m_shown; }
    const std::wstring& tip() const { return m_tip; }

  private:
    NOTIFYICONDATAW data(UINT flags) const;

    HWND m_window = nullptr;
    HICON m_icon = nullptr;
    std::wstring m_tip;
    bool m_shown = false;
};

}  // namespace temura::wingui
