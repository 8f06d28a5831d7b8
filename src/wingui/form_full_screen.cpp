#include "wingui/form_full_screen.h"

#include <utility>

namespace temura::wingui {

namespace {

constexpr wchar_t kClass[] = L"TemuraFullScreen";

}  // namespace

TFormFullScreen::TFormFullScreen(std::function<void()> leaveRequested)
    : m_leaveRequested(std::move(leaveRequested)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TFormFullScreen::windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClass;
    wc.hCursor = nullptr;  // no pointer over the area
    RegisterClassExW(&wc);
    m_hwnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, 0, 0, 0, 0,
                             nullptr, nullptr, instance, this);
    setBackground(0);
}

TFormFullScreen::~TFormFullScreen() {
    if (m_hwnd) DestroyWindow(m_hwnd);
    if (m_brush) DeleteObject(m_brush);
}

void TFormFullScreen::setBackground(Colour rgb) {
    if (m_brush) DeleteObject(m_brush);
    m_brush = CreateSolidBrush(static_cast<COLORREF>(rgb & 0xFFFFFF));
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, TRUE);
}

void TFormFullScreen::showOver(const RECT& screen) {
    SetWindowPos(m_hwnd, HWND_TOPMOST, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_SHOWWINDOW);
}

void TFormFullScreen::hide() {
    ShowWindow(m_hwnd, SW_HIDE);
}

bool TFormFullScreen::visible() const {
    return IsWindowVisible(m_hwnd) != FALSE;
}

LRESULT CALLBACK TFormFullScreen::windowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<TFormFullScreen*>(cs->lpCreateParams);
        self->m_hwnd = hwnd;  // before CreateWindowExW returns, for the messages it sends
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TFormFullScreen*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT TFormFullScreen::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(m_hwnd, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, m_brush);
            return 1;
        }
        case WM_SETCURSOR:
            SetCursor(nullptr);
            return TRUE;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE || wParam == VK_F10) {
                m_leaveRequested();
                return 0;
            }
            break;
        case WM_SYSKEYDOWN:  // F10 arrives as a system key
            if (wParam == VK_F10) {
                m_leaveRequested();
                return 0;
            }
            break;
        case WM_CLOSE:
            m_leaveRequested();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

}  // namespace temura::wingui
