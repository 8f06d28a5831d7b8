#include "wingui/form_main.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "clock/zone_arithmetic.h"
#include "platform/win32/wide_text.h"
#include "ui/lang_rules.h"
#include "ui/main_rules.h"
#include "wingui/colours.h"
#include "wingui/form_full_screen.h"
#include "wingui/resources/resource_ids.h"
#include "zones/world_line.h"

namespace temura::wingui {

namespace {

constexpr wchar_t kClass[] = L"TemuraClock";
constexpr int kButtonSize = 16;
constexpr int kSnapDistance = 5;
constexpr int kModeLeft = 1;
constexpr int kModeFontSize = 7;
constexpr const char* kModeFontName = "MS Sans Serif";

int screenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

HICON appIcon() {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TEMURA),
                                         IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

}  // namespace

TFormMain::TFormMain(ClockState& state, MainServices services)
    : m_state(state), m_services(std::move(services)) {
    m_dpi = screenDpi();
    CalcZoneShift(m_state, m_services.clock);
    ReadSysZone(m_state, m_services.clock);
    SetbTickFile();
    setStartValues(m_state);
    lblMode.text = L"W";
    lblMode.font.set(FontSpec{kModeFontName, kModeFontSize, false, false}, m_dpi);
    lblTZ.visible = false;
    m_headerFont.set(FontSpec{m_state.SeparatorFontName, m_state.SeparatorFontSize, false, false},
                     m_dpi);
    m_exitFont.set(FontSpec{"Verdana", 8, false, false}, m_dpi);
    m_exitFontBold.set(FontSpec{"Verdana", 8, true, false}, m_dpi);

    openTrace();
    createWindow();
    // Per-monitor aware: the fonts follow the DPI of the monitor the clock is on.
    if (const int dpi = static_cast<int>(GetDpiForWindow(m_hwnd)); dpi > 0 && dpi != m_dpi) {
        m_dpi = dpi;
        remakeFonts();
    }
    createTooltip();
    m_fullScreen = std::make_unique<TFormFullScreen>([this] { leaveFullScreen(); });
    m_tray.attach(m_hwnd, appIcon());
    m_taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    buildAccelerators();

    if (m_services.shell) m_services.shell->SetAssoc(m_services.programPath);
    GetCurrTZName(m_state, m_services.clock);
    applyStartLook();
    readStoredSettings();
    applyCommandLine();

    lblTime.text = win32::widen(placeholderTimeText(m_state));
    lblDate.text = win32::widen(
        DateText(m_services.clock.localTime(), 0, m_state.DateFormat, m_services.names));
    SetLang();
    SetClPaused();
    SetModeStr();
    SetSize();
    SetSize2();
    applyStartPosition();
    if (m_startFullScreen) {
        m_startFullScreen = false;
        m_state.FullScreen = false;
        enterFullScreen();
    }
}

TFormMain::~TFormMain() {
    m_tray.hide();
    if (m_hwnd) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
    destroyMenus();
    if (m_accel) DestroyAcceleratorTable(m_accel);
    if (m_trace != INVALID_HANDLE_VALUE) CloseHandle(m_trace);
}

void TFormMain::createWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TFormMain::windowProc;
    wc.hInstance = instance;
    wc.hIcon = appIcon();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
    // No taskbar button (tool window), above every ordinary window (topmost).
    m_hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClass, L"Temura", WS_POPUP, 0, 0,
                             m_size.cx, m_size.cy, nullptr, nullptr, instance, this);
}

void TFormMain::createTooltip() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    // One tool for the label stack and one per stopwatch button.
    for (UINT id = 1; id <= 4; ++id) {
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = m_hwnd;
        ti.uId = id;
        ti.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    SendMessageW(m_tooltip, TTM_SETMAXTIPWIDTH, 0, 1000);
    SendMessageW(m_tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 5000);
}

void TFormMain::show() {
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    if (m_centreOnShow) {
        m_centreOnShow = false;
        moveTo(GetSystemMetrics(SM_CXSCREEN) / 2 - m_size.cx / 2,
               GetSystemMetrics(SM_CYSCREEN) / 2 - m_size.cy / 2);
    }
    TimerTimer();  // the time stands there when the window appears
}

SIZE TFormMain::clientSize() const {
    return m_size;
}

POINT TFormMain::position() const {
    RECT r;
    GetWindowRect(m_hwnd, &r);
    return POINT{r.left, r.top};
}

void TFormMain::moveTo(int x, int y) {
    SetWindowPos(m_hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormMain::invalidate(const RECT* part) {
    // Never without a window: a null handle would mean every window on the desktop.
    if (m_hwnd) InvalidateRect(m_hwnd, part, FALSE);
}

void TFormMain::setOpacity(int alpha) {
    m_alpha = alpha & 0xFF;
    LONG_PTR ex = GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE);
    // Layered only while see-through: a layered window is not drawn until its alpha is set.
    if (m_alpha < 255) {
        SetWindowLongPtrW(m_hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        SetLayeredWindowAttributes(m_hwnd, 0, static_cast<BYTE>(m_alpha), LWA_ALPHA);
    } else if (ex & WS_EX_LAYERED) {
        SetWindowLongPtrW(m_hwnd, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        RedrawWindow(m_hwnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME);
    }
}

// ---- layout ----

LayoutInput TFormMain::measureLayout(HDC dc, bool widthsOnly) {
    LayoutInput in;
    const TextMeasure time = measureText(dc, lblTime.font.handle(), lblTime.text);
    const TextMeasure mode = measureText(dc, lblMode.font.handle(), lblMode.text);
    in.timeTextWidth = time.width;
    in.zeroHeightTime = measureText(dc, lblTime.font.handle(), L"0").height;
    in.modeVisible = m_state.ModeVisible;
    in.modeTextWidth = mode.width;
    if (m_state.ModeVisible) {
        in.modeLeft = kModeLeft;
        in.modeInkRight = mode.inkRight;
        in.timeInkLeft = time.inkLeft;
    }
    in.dateVisible = m_state.DateVisible;
    in.dateTextWidth = measureText(dc, lblDate.font.handle(), lblDate.text).width;
    in.zeroHeightDate = measureText(dc, lblDate.font.handle(), L"0").height;
    in.tzShown = tzLineShown(m_state);
    in.tzLabelHeight = measureText(dc, lblTZ.font.handle(), L"0").height;
    in.textMarginX = m_state.TextMarginX;
    in.modeGapX = m_state.ModeGapX;
    in.buttonsShown = m_buttonsShown;
    in.buttonHeight = kButtonSize;
    if (in.tzShown) {
        const std::wstring name = win32::widen(tzLineText(m_state));
        if (!widthsOnly) lblTZ.text = name;
        in.tzTextWidth = measureText(dc, lblTZ.font.handle(), name).width;
    }
    if (!m_worldTexts.empty()) {
        in.worldCount = static_cast<int>(m_worldTexts.size());
        in.worldLineHeight = in.tzLabelHeight;
        for (const std::wstring& t : m_worldTexts) {
            in.worldTextWidth =
                std::max(in.worldTextWidth, measureText(dc, lblTZ.font.handle(), t).width);
        }
    }
    m_state.CaptionExtra = 0;  // no title bar
    in.captionExtra = 0;
    return in;
}

void TFormMain::SetSize() {
    refreshWorldLines();
    HDC dc = GetDC(m_hwnd);
    const LayoutInput in = measureLayout(dc, false);
    const Layout out = computeLayout(in);
    m_state.FormWidthCalc = out.width;
    m_state.FormHeightCalc = out.formHeightCalc;
    const int width = std::max(out.width, out.minWidth);

    lblTime.rect = RECT{0, 0, width, out.timeHeight};
    int top = out.timeHeight;
    lblDate.visible = m_state.DateVisible;
    if (lblDate.visible) {
        lblDate.rect = RECT{0, top, width, top + in.zeroHeightDate};
        top += in.zeroHeightDate;
    }
    lblTZ.visible = in.tzShown;
    if (lblTZ.visible) lblTZ.rect = RECT{0, top, width, top + in.tzLabelHeight};
    m_worldLeft = out.worldLeft;
    m_worldLineHeight = in.worldLineHeight;
    m_worldRect = RECT{0, out.worldTop, width, out.worldTop + in.worldCount * in.worldLineHeight};
    lblMode.visible = m_state.ModeVisible;
    const TextMeasure mode = measureText(dc, lblMode.font.handle(), lblMode.text);
    lblMode.rect = RECT{kModeLeft, 1, kModeLeft + mode.width, 1 + mode.height};
    ReleaseDC(m_hwnd, dc);
    m_buttonsTop = out.buttonsTop;
    m_size = SIZE{width, out.windowHeight};
    SetWindowPos(m_hwnd, nullptr, 0, 0, m_size.cx, m_size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    updateTooltipRects();
    invalidate();
}

bool TFormMain::refreshWorldLines() {
    std::vector<std::wstring> texts;
    for (const std::string& t : worldLineTexts(m_state, m_services.clock)) {
        texts.push_back(win32::widen(t));
    }
    if (texts == m_worldTexts) return false;
    const bool count = texts.size() != m_worldTexts.size();
    m_worldTexts = std::move(texts);
    if (m_hwnd) InvalidateRect(m_hwnd, &m_worldRect, FALSE);
    return count;
}

void TFormMain::worldLinesChanged() {
    SetSize();
    SetHint();  // it lists the lines
}

void TFormMain::paintWorldLines(HDC dc) {
    if (m_worldTexts.empty()) return;
    HBRUSH backBrush = CreateSolidBrush(toColorRef(m_timeBackground));
    FillRect(dc, &m_worldRect, backBrush);
    DeleteObject(backBrush);
    const HGDIOBJ old = SelectObject(dc, lblTZ.font.handle());
    SetTextColor(dc, lblTZ.colour);
    for (std::size_t i = 0; i < m_worldTexts.size(); ++i) {
        const std::wstring& t = m_worldTexts[i];
        TextOutW(dc, m_worldLeft, m_worldRect.top + static_cast<int>(i) * m_worldLineHeight,
                 t.c_str(), static_cast<int>(t.size()));
    }
    SelectObject(dc, old);
}

void TFormMain::SetSize2() {
    if (m_hwnd) SetTimer(m_hwnd, kTimerS2, 150, nullptr);
}

void TFormMain::updateTooltipRects() {
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = m_hwnd;
    ti.uId = 1;
    ti.rect = RECT{0, 0, m_size.cx, m_buttonsTop};
    SendMessageW(m_tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    const ButtonRow row = buttonRow(m_size.cx);
    const int lefts[] = {row.startLeft, row.pauseLeft, row.stopLeft};
    for (UINT i = 0; i < 3; ++i) {
        ti.uId = 2 + i;
        ti.rect = m_buttonsShown ? RECT{lefts[i], m_buttonsTop, lefts[i] + row.width,
                                        m_buttonsTop + kButtonSize}
                                 : RECT{0, 0, 0, 0};
        SendMessageW(m_tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

// ---- painting ----

void TFormMain::paint(HDC dc) {
    const int width = m_size.cx;
    const int height = m_size.cy;
    const COLORREF back = toColorRef(m_timeBackground);
    RECT all{0, 0, width, height};
    HBRUSH windowBrush = CreateSolidBrush(m_buttonsShown ? GetSysColor(COLOR_BTNFACE) : back);
    FillRect(dc, &all, windowBrush);
    DeleteObject(windowBrush);

    SetBkMode(dc, TRANSPARENT);
    HBRUSH backBrush = CreateSolidBrush(back);
    for (Label* l : {&lblTime, &lblDate, &lblTZ}) {
        if (!l->visible) continue;
        FillRect(dc, &l->rect, backBrush);
        const HGDIOBJ old = SelectObject(dc, l->font.handle());
        SetTextColor(dc, l == &lblTime ? toColorRef(m_timeColour) : l->colour);
        RECT r = l->rect;
        DrawTextW(dc, l->text.c_str(), static_cast<int>(l->text.size()), &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    DeleteObject(backBrush);
    paintWorldLines(dc);
    if (lblMode.visible) {
        const HGDIOBJ old = SelectObject(dc, lblMode.font.handle());
        SetTextColor(dc, toColorRef(m_state.PausedColor));
        TextOutW(dc, kModeLeft, 1, lblMode.text.c_str(), static_cast<int>(lblMode.text.size()));
        SelectObject(dc, old);
    }
    if (m_buttonsShown) paintButtons(dc, width, height);
}

void TFormMain::paintButtons(HDC dc, int width, int /*height*/) {
    const ButtonRow row = buttonRow(width);
    const int top = m_buttonsTop;
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    HBRUSH brush = CreateSolidBrush(ink);
    HPEN pen = CreatePen(PS_SOLID, 1, ink);
    const HGDIOBJ oldBrush = SelectObject(dc, brush);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const int cy = top + kButtonSize / 2;
    // Start: a triangle pointing right; pause: two bars; stop: a square.
    const int sx = row.startLeft + row.width / 2;
    POINT triangle[] = {{sx - 3, cy - 5}, {sx - 3, cy + 5}, {sx + 4, cy}};
    Polygon(dc, triangle, 3);
    const int px = row.pauseLeft + row.width / 2;
    Rectangle(dc, px - 4, cy - 5, px - 1, cy + 6);
    Rectangle(dc, px + 2, cy - 5, px + 5, cy + 6);
    const int qx = row.stopLeft + row.width / 2;
    Rectangle(dc, qx - 4, cy - 4, qx + 5, cy + 5);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

bool TFormMain::onModeLetter(POINT p) const {
    return lblMode.visible && PtInRect(&lblMode.rect, p);
}

std::optional<Command> TFormMain::buttonAt(POINT p) const {
    if (!m_buttonsShown || p.y < m_buttonsTop || p.y >= m_buttonsTop + kButtonSize) {
        return std::nullopt;
    }
    const ButtonRow row = buttonRow(m_size.cx);
    const struct {
        int left;
        Command command;
    } buttons[] = {{row.startLeft, Command::Start},
                   {row.pauseLeft, Command::Pause},
                   {row.stopLeft, Command::Stop}};
    for (const auto& b : buttons) {
        if (p.x >= b.left && p.x < b.left + row.width) return b.command;
    }
    return std::nullopt;
}

// ---- messages ----

LRESULT CALLBACK TFormMain::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<TFormMain*>(cs->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TFormMain*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    // An exception must not unwind through the system's dispatch code.
    try {
        return self->handle(message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

LRESULT TFormMain::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == m_taskbarCreated && m_taskbarCreated != 0) {
        m_tray.showAgain();
        return 0;
    }
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(m_hwnd, &ps);
            // Drawn off screen first, so the time never flickers.
            HDC mem = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, m_size.cx, m_size.cy);
            const HGDIOBJ old = SelectObject(mem, bitmap);
            paint(mem);
            BitBlt(dc, 0, 0, m_size.cx, m_size.cy, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteObject(bitmap);
            DeleteDC(mem);
            EndPaint(m_hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            switch (wParam) {
                case kTimerDisplay:
                    KillTimer(m_hwnd, kTimerDisplay);
                    TimerTimer();
                    break;
                case kTimerS2:
                    KillTimer(m_hwnd, kTimerS2);
                    SetSize();
                    break;
                case kTimerP:
                    m_timeColour = temura::TimerPTimer(m_state, m_timeColour);
                    invalidate();
                    break;
                default:
                    break;
            }
            return 0;
        case WM_TIMECHANGE:
            WMTimeChange();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) <= 1) runCommand(static_cast<Command>(LOWORD(wParam)));
            return 0;
        case WM_CONTEXTMENU: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (at.x == -1 && at.y == -1) {  // from the keyboard: at the window's corner
                at = position();
            }
            showPopMain(at);
            return 0;
        }
        case WM_INITMENUPOPUP:
            popMainPopup();
            popCtiPopup();
            return 0;
        case WM_ENTERMENULOOP:
            m_menuOpen = true;
            return 0;
        case WM_EXITMENULOOP:
            m_menuOpen = false;
            return 0;
        case WM_MEASUREITEM:
            onMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DRAWITEM:
            onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case TrayIcon::kMessage:
            onTray(lParam);
            return 0;
        case WM_LBUTTONDOWN:
            onLeftDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_MOUSEMOVE:
            onMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
            return 0;
        case WM_LBUTTONUP:
            onLeftUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONDBLCLK: {
            const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (!buttonAt(p) && !onModeLetter(p) && p.y < m_buttonsTop) {
                m_services.desktop.openDateTimeSettings();
            }
            return 0;
        }
        case WM_EXITSIZEMOVE:
            snapToEdges();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
            return 0;
        case WM_DPICHANGED: {
            m_dpi = HIWORD(wParam);
            remakeFonts();
            const auto* r = reinterpret_cast<const RECT*>(lParam);
            moveTo(r->left, r->top);
            SetSize();
            return 0;
        }
        case WM_ENDSESSION:
            // Windows ends the program without a WM_CLOSE when the user logs off or shuts down.
            if (wParam && m_saveOnClose) saveSettingsToRegistry();
            return 0;
        case WM_CLOSE:
            if (m_saveOnClose) saveSettingsToRegistry();
            m_tray.hide();
            DestroyWindow(m_hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
            m_hwnd = nullptr;
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

// ---- the mouse ----

void TFormMain::onLeftDown(POINT p) {
    m_pressed = true;
    m_pressAt = p;
    m_pressButton = buttonAt(p);
    m_pressOnMode = onModeLetter(p);
    SetCapture(m_hwnd);
}

void TFormMain::onMouseMove(POINT p, WPARAM keys) {
    if (!m_pressed || !(keys & MK_LBUTTON) || m_pressButton) return;
    // Not on the press itself, so that a double-click still reaches the time.
    if (std::abs(p.x - m_pressAt.x) < GetSystemMetrics(SM_CXDRAG) &&
        std::abs(p.y - m_pressAt.y) < GetSystemMetrics(SM_CYDRAG)) {
        return;
    }
    m_pressed = false;
    ReleaseCapture();
    // The system's move loop moves the borderless window while the button is held.
    SendMessageW(m_hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

void TFormMain::onLeftUp(POINT p) {
    if (!m_pressed) return;
    m_pressed = false;
    ReleaseCapture();
    if (m_pressButton && buttonAt(p) == m_pressButton) {
        runCommand(*m_pressButton);
    } else if (m_pressOnMode) {
        lblModeClick();
    }
}

void TFormMain::snapToEdges() {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!GetMonitorInfoW(MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTONEAREST), &mi)) return;
    const RECT area = mi.rcWork;
    RECT r;
    GetWindowRect(m_hwnd, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    int x = r.left;
    int y = r.top;
    if (std::abs(r.left - area.left) <= kSnapDistance) x = area.left;
    if (std::abs(r.right - area.right) <= kSnapDistance) x = area.right - w;
    if (std::abs(r.top - area.top) <= kSnapDistance) y = area.top;
    if (std::abs(r.bottom - area.bottom) <= kSnapDistance) y = area.bottom - h;
    if (x != r.left || y != r.top) moveTo(x, y);
}

void TFormMain::remakeFonts() {
    for (Label* l : {&lblTime, &lblDate, &lblTZ, &lblMode}) l->font.set(l->font.spec(), m_dpi);
    for (GdiFont* f : {&m_headerFont, &m_exitFont, &m_exitFontBold}) f->set(f->spec(), m_dpi);
}

}  // namespace temura::wingui
