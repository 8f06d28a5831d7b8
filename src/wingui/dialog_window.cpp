#include "wingui/dialog_window.h"

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace temura::wingui {

namespace {

std::vector<DialogWindow*>& registry() {
    static std::vector<DialogWindow*> windows;
    return windows;
}

}  // namespace

DialogWindow::DialogWindow(HWND owner, const wchar_t* className, int clientWidth,
                           int clientHeight) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &DialogWindow::windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = className;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    RegisterClassExW(&wc);
    if (owner) m_dpi = static_cast<int>(GetDpiForWindow(owner));
    if (m_dpi <= 0) m_dpi = 96;
    m_font.set(FontSpec{"MS Shell Dlg 2", 8, false, false}, m_dpi);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT r{0, 0, px(clientWidth), px(clientHeight)};
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
    m_hwnd = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, className, L"", style,
                             CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                             owner, nullptr, instance, this);
    registry().push_back(this);
}

DialogWindow::~DialogWindow() {
    auto& all = registry();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    if (m_accel) DestroyAcceleratorTable(m_accel);
    if (m_hwnd) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

const std::vector<DialogWindow*>& DialogWindow::all() {
    return registry();
}

void DialogWindow::setTitle(const std::string& utf8) {
    SetWindowTextW(m_hwnd, win32::widen(utf8).c_str());
}

void DialogWindow::show() {
    if (!m_placed) {
        m_placed = true;
        RECT r;
        GetWindowRect(m_hwnd, &r);
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        SetWindowPos(m_hwnd, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - w / 2,
                     GetSystemMetrics(SM_CYSCREEN) / 2 - h / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(m_hwnd, SW_SHOW);
    SetForegroundWindow(m_hwnd);
}

void DialogWindow::hide() {
    ShowWindow(m_hwnd, SW_HIDE);
}

bool DialogWindow::visible() const {
    return m_hwnd && IsWindowVisible(m_hwnd);
}

void DialogWindow::close() {
    if (onClose()) hide();
}

void DialogWindow::setAccelerators(const std::vector<ACCEL>& keys) {
    if (m_accel) DestroyAcceleratorTable(m_accel);
    m_accel = keys.empty() ? nullptr
                           : CreateAcceleratorTableW(const_cast<ACCEL*>(keys.data()),
                                                     static_cast<int>(keys.size()));
}

bool DialogWindow::preTranslate(MSG& msg) {
    for (DialogWindow* d : registry()) {
        if (!d->m_hwnd || !d->visible()) continue;
        if (msg.hwnd != d->m_hwnd && !IsChild(d->m_hwnd, msg.hwnd)) continue;
        if (d->m_accel && TranslateAcceleratorW(d->m_hwnd, d->m_accel, &msg)) return true;
        return IsDialogMessageW(d->m_hwnd, &msg) != FALSE;
    }
    return false;
}

LRESULT CALLBACK DialogWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<DialogWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    // An exception must not unwind through the system's dispatch code.
    try {
        return self->handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT DialogWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED && !lParam) {
                close();  // Esc
                return 0;
            }
            onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_NCDESTROY:
            m_hwnd = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

HWND DialogWindow::add(const wchar_t* cls, const std::string& text, DWORD style, int x, int y,
                       int w, int h, int id, DWORD exStyle) {
    HWND c = CreateWindowExW(exStyle, cls, win32::widen(text).c_str(),
                             WS_CHILD | WS_VISIBLE | style, px(x), px(y), px(w), px(h), m_hwnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.handle()), FALSE);
    return c;
}

HWND DialogWindow::button(const std::string& text, int x, int y, int w, int h, int id) {
    return add(L"BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON, x, y, w, h, id);
}

HWND DialogWindow::checkBox(const std::string& text, int x, int y, int w, int h, int id) {
    return add(L"BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, x, y, w, h, id);
}

HWND DialogWindow::radio(const std::string& text, int x, int y, int w, int h, int id,
                         bool firstOfGroup) {
    return add(L"BUTTON", text, BS_AUTORADIOBUTTON | (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0), x,
               y, w, h, id);
}

HWND DialogWindow::label(const std::string& text, int x, int y, int w, int h, int id) {
    return add(L"STATIC", text, SS_LEFT | SS_NOPREFIX, x, y, w, h, id);
}

HWND DialogWindow::edit(const std::string& text, int x, int y, int w, int h, int id, DWORD extra) {
    return add(L"EDIT", text, WS_TABSTOP | ES_AUTOHSCROLL | extra, x, y, w, h, id,
               WS_EX_CLIENTEDGE);
}

HWND DialogWindow::groupBox(const std::string& text, int x, int y, int w, int h) {
    return add(L"BUTTON", text, BS_GROUPBOX, x, y, w, h, -1);
}

void DialogWindow::setText(HWND control, const std::string& utf8) {
    SetWindowTextW(control, win32::widen(utf8).c_str());
}

std::string DialogWindow::text(HWND control) {
    const int n = GetWindowTextLengthW(control);
    std::wstring t(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(control, t.data(), n + 1);
    t.resize(static_cast<std::size_t>(n));
    return win32::narrow(t);
}

void DialogWindow::setChecked(HWND control, bool on) {
    SendMessageW(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool DialogWindow::checked(HWND control) {
    return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace temura::wingui
