#include "wingui/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

namespace temura::wingui {

NOTIFYICONDATAW TrayIcon::data(UINT flags) const {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof d;
    d.hWnd = m_window;
    d.uID = 1;
    d.uFlags = flags;
    d.uCallbackMessage = kMessage;
    d.hIcon = m_icon;
    const std::size_t n = std::min(m_tip.size(), std::size(d.szTip) - 1);
    std::copy_n(m_tip.begin(), n, d.szTip);
    d.szTip[n] = L'\0';
    return d;
}

void TrayIcon::attach(HWND window, HICON icon) {
    m_window = window;
    m_icon = icon;
}

void TrayIcon::show() {
    if (m_shown || !m_window) return;
    NOTIFYICONDATAW d = data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    Shell_NotifyIconW(NIM_ADD, &d);
    m_shown = true;
}

void TrayIcon::hide() {
    if (!m_shown) return;
    NOTIFYICONDATAW d = data(0);
    Shell_NotifyIconW(NIM_DELETE, &d);
    m_shown = false;
}

void TrayIcon::showAgain() {
    if (!m_shown) return;
    m_shown = false;
    show();
}

void TrayIcon::setTip(const std::wstring& tip) {
    if (tip == m_tip) return;
    m_tip = tip;
    if (!m_shown) return;
    NOTIFYICONDATAW d = data(NIF_TIP);
    Shell_NotifyIconW(NIM_MODIFY, &d);
}

}  // namespace temura::wingui
