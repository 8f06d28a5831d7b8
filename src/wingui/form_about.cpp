#include "wingui/form_about.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cmath>
#include <numbers>

#include "app/links.h"
#include "platform/win32/wide_text.h"
#include "ui/menu_rules.h"
#include "wingui/form_main.h"
#include "wingui/gdi_font.h"
#include "wingui/shortcut_keys.h"

namespace temura::wingui {

namespace {

constexpr wchar_t kClass[] = L"TemuraAbout";
constexpr int kSize = 220;
constexpr int kWwwTop = 138;
constexpr int kWwwWidth = 201;
constexpr int kAuthorWidth = 135;
constexpr COLORREF kTitleColour = RGB(231, 211, 103);
constexpr COLORREF kVersionColour = RGB(204, 198, 153);
constexpr COLORREF kLinkColour = RGB(80, 80, 255);

HFONT makeFont(const FontSpec& spec, int dpi, bool underline) {
    LOGFONTW lf = logFontFor(spec, dpi);
    lf.lfUnderline = underline ? TRUE : FALSE;
    return CreateFontIndirectW(&lf);
}

std::string mailto() {
    return std::string("mailto:") + links::kContact + "?subject=Temura%201.0";
}

}  // namespace

TFormAbout2::TFormAbout2(TFormMain& main)
    : DialogWindow(main.hwnd(), kClass, kSize, kSize),
      m_main(main),
      m_desktop(main.services().desktop),
      m_ticks(main.services().ticks) {
    const HWND w = hwnd();
    SetWindowTextW(w, L"Temura");
    // No frame and no caption: the window is the dial.
    SetWindowLongPtrW(w, GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN);
    SetWindowLongPtrW(w, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    m_size = px(kSize);
    SetWindowPos(w, HWND_TOPMOST, 0, 0, m_size, m_size,
                 SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetWindowRgn(w, CreateEllipticRgn(0, 0, m_size, m_size), FALSE);

    const int dpi = px(96);
    m_titleFont = makeFont(FontSpec{"Verdana", 18, true, false}, dpi, false);
    m_smallFont = makeFont(FontSpec{"Verdana", 8, false, false}, dpi, false);
    m_linkFont = makeFont(FontSpec{"MS Sans Serif", 8, false, false}, dpi, true);

    HDC screen = GetDC(w);
    m_canvasDc = CreateCompatibleDC(screen);
    m_canvas = CreateCompatibleBitmap(screen, m_size, m_size);
    m_oldCanvas = SelectObject(m_canvasDc, m_canvas);
    m_linkHeight = measureText(screen, m_linkFont, L"0").height;
    ReleaseDC(w, screen);
    m_authorTop = m_size / 8 * 7 - m_linkHeight;
    RECT all{0, 0, m_size, m_size};
    FillRect(m_canvasDc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    addHints();

    // The key that opens the box closes it too.
    std::vector<ACCEL> keys{ACCEL{FVIRTKEY | FCONTROL, VK_OEM_PERIOD, kIncGST}};
    for (const Shortcut& s : mainShortcuts()) {
        if (s.command != Command::About) continue;
        if (auto key = acceleratorFor(s.keys)) {
            key->cmd = kClose;
            keys.push_back(*key);
        }
    }
    setAccelerators(keys);

    m_main.setAboutBox(this);
    const std::weak_ptr<bool> alive = m_alive;
    m_main.addCloseOnMinimize([this, alive] {
        if (!alive.expired()) close();
    });
}

TFormAbout2::~TFormAbout2() {
    m_main.setAboutBox(nullptr);
    if (m_timerOn && hwnd()) KillTimer(hwnd(), kTimer1);
    SelectObject(m_canvasDc, m_oldCanvas);
    DeleteObject(m_canvas);
    DeleteDC(m_canvasDc);
    for (HFONT f : {m_titleFont, m_smallFont, m_linkFont}) DeleteObject(f);
}

void TFormAbout2::addHints() {
    m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(),
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    const std::wstring www = win32::widen(links::kHomePage);
    const std::wstring contact = win32::widen(links::kContact);
    const struct {
        Link link;
        const std::wstring* hint;
    } tools[] = {{Link::Www, &www}, {Link::Author, &contact}};
    for (const auto& t : tools) {
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = hwnd();
        ti.uId = static_cast<UINT_PTR>(t.link);
        ti.rect = linkRect(t.link);
        ti.lpszText = const_cast<wchar_t*>(t.hint->c_str());
        SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

RECT TFormAbout2::linkRect(Link link) const {
    switch (link) {
        case Link::Www: {
            const int left = (m_size - px(kWwwWidth)) / 2;
            return RECT{left, px(kWwwTop), left + px(kWwwWidth), px(kWwwTop) + m_linkHeight};
        }
        case Link::Author: {
            const int left = (m_size - px(kAuthorWidth)) / 2;
            return RECT{left, m_authorTop, left + px(kAuthorWidth), m_authorTop + m_linkHeight};
        }
        case Link::None:
            break;
    }
    return RECT{};
}

TFormAbout2::Link TFormAbout2::linkAt(POINT p) const {
    for (const Link l : {Link::Www, Link::Author}) {
        const RECT r = linkRect(l);
        if (PtInRect(&r, p)) return l;
    }
    return Link::None;
}

void TFormAbout2::openLink(Link link) {
    if (link == Link::Www) m_desktop.openUrl(links::kHomePage);
    if (link == Link::Author) m_desktop.openUrl(mailto());
}

void TFormAbout2::open() {
    show();
    Rep();
    UpdateWindow(hwnd());
}

void TFormAbout2::Timer1Timer() {
    m_animation.tick();
    Rep();
    m_ticks.playBuiltIn();
}

void TFormAbout2::Rep() {
    m_animation.beforeDraw();
    render();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

// The whole picture from the animation and the language, over black: since every frame fills
// the sector from twelve o'clock to the counter in the sweep colour of the moment, nothing of an
// earlier frame needs to stay.
void TFormAbout2::render() {
    HDC dc = m_canvasDc;
    const int cx = m_size / 2;
    const int cy = m_size / 2;
    RECT all{0, 0, m_size, m_size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetViewportOrgEx(dc, cx, cy, nullptr);

    const int counter = m_animation.counter();
    const double angle = counter * std::numbers::pi / 180.0;
    // nearbyint rounds ties to even in the default rounding mode.
    const int x1 = static_cast<int>(std::nearbyint(std::sin(angle) * (cx - px(10))));
    const int y1 = static_cast<int>(std::nearbyint(std::cos(angle) * (px(10) - cy)));
    HBRUSH sweep = CreateSolidBrush(static_cast<COLORREF>(m_animation.sweepColour() & 0xFFFFFF));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, sweep);
    // GDI draws arcs counter-clockwise: from the counter's radial back to twelve o'clock.
    Pie(dc, -cx, -cy, cx, cy, x1, y1, 0, -cy);

    const COLORREF markColour = static_cast<COLORREF>(m_animation.markColour() & 0xFFFFFF);
    HPEN markPen = CreatePen(PS_SOLID, px(2), markColour);
    HBRUSH markBrush = CreateSolidBrush(markColour);
    SelectObject(dc, markPen);
    SelectObject(dc, markBrush);
    const int a = px(2), b = px(3), c = px(8);
    Ellipse(dc, cx - c, -b, cx - a, b);  // three o'clock
    Ellipse(dc, -b, cy - c, b, cy - a);  // six
    Ellipse(dc, a - cx, -b, c - cx, b);  // nine
    Ellipse(dc, -b, a - cy, b, c - cy);  // twelve
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(markPen);
    DeleteObject(markBrush);
    DeleteObject(sweep);

    const AboutTexts texts = aboutTexts(m_main.state().English);
    m_shownVersion = texts.version;
    SetBkMode(dc, TRANSPARENT);
    const auto centred = [dc](HFONT font, COLORREF colour, const std::string& text, int y) {
        const std::wstring w = win32::widen(text);
        SelectObject(dc, font);
        SetTextColor(dc, colour);
        SIZE s{};
        GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &s);
        TextOutW(dc, -s.cx / 2, y, w.c_str(), static_cast<int>(w.size()));
        return s.cy;
    };
    SelectObject(dc, m_titleFont);
    const int titleHeight = measureText(dc, m_titleFont, L"T").height;
    centred(m_titleFont, kTitleColour, texts.title, -titleHeight / 2);
    const int smallHeight = measureText(dc, m_smallFont, L"V").height;
    const int versionTop = -smallHeight / 2 - cy / 2;
    centred(m_smallFont, kVersionColour, texts.version, versionTop);
    centred(m_smallFont, kVersionColour, texts.date, versionTop + smallHeight + px(6));
    centred(m_smallFont, kTitleColour, texts.freeware, cy / 5 - cy);

    SetViewportOrgEx(dc, 0, 0, nullptr);
    const auto link = [&](Link l, const char* text) {
        const RECT r = linkRect(l);
        SetViewportOrgEx(dc, m_size / 2, 0, nullptr);
        centred(m_linkFont, kLinkColour, text, r.top);
        SetViewportOrgEx(dc, 0, 0, nullptr);
    };
    link(Link::Www, links::kHomePage);
    link(Link::Author, links::kAuthor);
}

LRESULT TFormAbout2::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND w = hwnd();
    switch (message) {
        case WM_SHOWWINDOW:
            // The sweep and its tick run only while the box can be seen.
            if (wParam && !m_timerOn) {
                m_timerOn = SetTimer(w, kTimer1, 1000, nullptr) != 0;
            } else if (!wParam && m_timerOn) {
                KillTimer(w, kTimer1);
                m_timerOn = false;
                if (m_pressed) ReleaseCapture();
                m_pressed = false;
            }
            break;
        case WM_TIMER:
            if (wParam == kTimer1) {
                Timer1Timer();
                return 0;
            }
            break;
        case WM_SIZE:
            SetWindowRgn(w, CreateEllipticRgn(0, 0, LOWORD(lParam), HIWORD(lParam)), TRUE);
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            BitBlt(dc, 0, 0, m_size, m_size, m_canvasDc, 0, 0, SRCCOPY);
            EndPaint(w, &ps);
            return 0;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(w, &p);
                SetCursor(LoadCursorW(nullptr, linkAt(p) != Link::None ? IDC_HAND : IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            m_pressed = true;
            m_pressAt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            m_pressLink = linkAt(m_pressAt);
            SetCapture(w);
            return 0;
        case WM_MOUSEMOVE: {
            if (!m_pressed || !(wParam & MK_LBUTTON)) return 0;
            const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            // Not on the press itself, so that a click still reaches a link.
            if (std::abs(p.x - m_pressAt.x) < GetSystemMetrics(SM_CXDRAG) &&
                std::abs(p.y - m_pressAt.y) < GetSystemMetrics(SM_CYDRAG)) {
                return 0;
            }
            m_pressed = false;
            ReleaseCapture();
            // The system's move loop moves the borderless window while the button is held.
            SendMessageW(w, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
            return 0;
        }
        case WM_LBUTTONUP: {
            if (!m_pressed) return 0;
            m_pressed = false;
            ReleaseCapture();
            const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (m_pressLink != Link::None && linkAt(p) == m_pressLink) openLink(m_pressLink);
            return 0;
        }
        default:
            break;
    }
    return DialogWindow::handle(message, wParam, lParam);
}

void TFormAbout2::onCommand(int id, int, HWND) {
    if (id == kClose) close();
    if (id == kIncGST) m_animation.incGST();
}

}  // namespace temura::wingui
