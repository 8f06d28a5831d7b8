// The options window: its controls, pages, sizes and captions. What the controls do is in
// form_options_handlers.cpp.

#include "wingui/form_options.h"

// After windows.h, which they need.
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "ui/lang_rules.h"
#include "ui/menu_rules.h"
#include "wingui/colours.h"
#include "wingui/form_options_ids.h"
#include "wingui/shortcut_keys.h"

namespace temura::wingui {

namespace {

constexpr int kMargin = 8;
constexpr int kButtonHeight = 23;
// The font groups: their size and the top of the upper two on the Fonts page.
constexpr int kGroupWidth = 260;
constexpr int kGroupHeight = 104;
constexpr int kFontsTop = 8;
constexpr int kCopyWidth = 28;
constexpr int kCopyHeight = 20;

int CALLBACK addFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM names) {
    if (lf->lfFaceName[0] != L'@') {
        reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(lf->lfFaceName);
    }
    return 1;
}

// The pages show without a frame of their own: their area is the whole control below the tabs.
LRESULT CALLBACK pageFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (message == TCM_ADJUSTRECT && !wParam && lParam) {
        const LRESULT r = DefSubclassProc(hwnd, message, wParam, lParam);
        RECT client;
        GetClientRect(hwnd, &client);
        RECT& page = *reinterpret_cast<RECT*>(lParam);
        page.left = 0;
        page.right = client.right;
        page.top -= 3;
        page.bottom = client.bottom;
        return r;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &pageFrameProc, 1);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// A colour rectangle: its colour lives in GWLP_USERDATA; a left click (pressed and released
// on it) and a right press are told to the parent as WM_COMMAND.
constexpr const wchar_t* kSwatchClass = L"TemuraColourSwatch";

void notifyParent(HWND swatch, int code) {
    SendMessageW(GetParent(swatch), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(swatch), static_cast<WORD>(code)),
                 reinterpret_cast<LPARAM>(swatch));
}

LRESULT CALLBACK swatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            InflateRect(&r, -1, -1);
            HBRUSH fill = CreateSolidBrush(toColorRef(TFormOptions::swatchValue(hwnd)));
            FillRect(dc, &r, fill);
            DeleteObject(fill);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            SetCapture(hwnd);
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd) {
                ReleaseCapture();
                RECT r;
                GetClientRect(hwnd, &r);
                const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (PtInRect(&r, p)) notifyParent(hwnd, TFormOptions::kSwatchLeftClick);
            }
            return 0;
        case WM_RBUTTONDOWN:
            notifyParent(hwnd, TFormOptions::kSwatchRightPress);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void registerSwatchClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &swatchProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
    wc.lpszClassName = kSwatchClass;
    RegisterClassExW(&wc);
}

}  // namespace

std::vector<std::wstring> installedFontNames() {
    std::vector<std::wstring> names;
    HDC dc = GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &lf, &addFace, reinterpret_cast<LPARAM>(&names), 0);
    ReleaseDC(nullptr, dc);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

Colour TFormOptions::swatchValue(HWND swatch) {
    return static_cast<Colour>(GetWindowLongPtrW(swatch, GWLP_USERDATA));
}

void TFormOptions::setSwatch(HWND swatch, Colour colour) {
    SetWindowLongPtrW(swatch, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    InvalidateRect(swatch, nullptr, FALSE);
}

TFormOptions::TFormOptions(TFormMain& main, WinPrompts& prompts, std::function<void()> openSave)
    : DialogWindow(main.hwnd(), L"TemuraOptions", 400, 300),
      m_main(main),
      m_prompts(prompts),
      m_openSave(std::move(openSave)) {
    INITCOMMONCONTROLSEX icc{
        sizeof icc, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    registerSwatchClass();

    pc = add(WC_TABCONTROLW, "", WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, 400, 300, kIdPages);
    SetWindowSubclass(pc, &pageFrameProc, 1, 0);
    for (int i = 0; i < 5; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(pc, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    RECT page{0, 0, px(400), px(300)};
    SendMessageW(pc, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    m_pageTop = MulDiv(page.top, 96, px(96));

    tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleW(nullptr),
                           nullptr);
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, px(400));  // the hints have two lines

    buildMainPage();
    buildFontsPage();
    buildFormatPage();
    buildLangPage();
    m_pages[kPageRegistry].push_back(
        btnDelReg = button("", kMargin, m_pageTop + kMargin, 325, 25, kIdDelReg));

    btnDefault = button("", 0, 0, 75, kButtonHeight, kIdDefault);
    btnSaveSettings = button("", 0, 0, 75, kButtonHeight, kIdSave);
    btnLoadSettings = button("", 0, 0, 75, kButtonHeight, kIdLoad);
    setTip(btnDefault, "");
    // Below every control of the pages, which it must not paint over.
    SetWindowPos(pc, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    m_compact = temura::compactSize(PageRect{206, kMargin, 120, 100}, PageRect{206, 116, 120, 110},
                                    m_pageTop, kButtonHeight);
    const int tzTop = kFontsTop + kGroupHeight + kCopyHeight + 11;
    m_fontsPage = fontsPage(kGroupWidth, tzTop + kGroupHeight, m_pageTop, kButtonHeight);

    m_customColours = customColours(static_cast<Colour>(GetSysColor(COLOR_WINDOW)),
                                    static_cast<Colour>(GetSysColor(COLOR_BTNFACE)));
    buildAccelerators();
    main.onSettingsChanged([this] {
        if (visible()) GetInfo();
    });
    main.onLanguageChanged([this] { SetLang(); });

    SendMessageW(pc, TCM_SETCURSEL, kPageMain, 0);
    SetLang();
    pcChange();
}

TFormOptions::~TFormOptions() = default;

// A group box draws its frame and caption only: the window paints the inside (transparent, so
// the window does not clip it out) and the controls in it clip themselves out of its painting.
HWND TFormOptions::frame(int x, int y, int w, int h) {
    return add(L"BUTTON", "", BS_GROUPBOX | WS_GROUP | WS_CLIPSIBLINGS, x, y, w, h, -1,
               WS_EX_TRANSPARENT);
}

HWND TFormOptions::onPage(int page, HWND control) {
    m_pages[static_cast<std::size_t>(page)].push_back(control);
    return control;
}

void TFormOptions::buildMainPage() {
    const int top = m_pageTop;
    const auto on = [this](HWND c) { return onPage(kPageMain, c); };
    lblBg = on(label("", 10, top + 8, 300, 13));
    shBgColor = on(add(kSwatchClass, "", 0, 10, top + 24, 40, 20, kIdBgColor));
    setTip(shBgColor, "");
    lblTransparency = on(label("", 10, top + 54, 200, 13));
    lblAlpha = on(label("", 110, top + 54, 50, 13));
    tbAlpha = on(add(TRACKBAR_CLASSW, "", WS_TABSTOP | TBS_NOTICKS | TBS_HORZ, 4, top + 70, 250, 26,
                     kIdAlpha));
    SendMessageW(tbAlpha, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    const std::pair<HWND*, int> boxes[] = {
        {&chShowMode, 102}, {&chShowDate, 122}, {&chShowTZ, 142},   {&chShowWorld, 162},
        {&chPlayTick, 182}, {&chShortcut, 206}, {&chMenuStart, 226}};
    int id = kIdShowMode;
    for (const auto& [box, y] : boxes) *box = on(checkBox("", 10, top + y, 300, 17, id++));
    const bool shell = m_main.services().shell != nullptr;
    EnableWindow(chShortcut, shell);
    EnableWindow(chMenuStart, shell);
}

TFormOptions::FontGroup TFormOptions::makeFontGroup(int left, int top, int firstId,
                                                    const std::vector<std::wstring>& faces) {
    const auto on = [this](HWND c) { return onPage(kPageFonts, c); };
    FontGroup g;
    g.box = on(frame(left, top, kGroupWidth, kGroupHeight));
    g.lblSize = on(label("", left + 10, top + 21, 52, 13));
    g.size =
        on(edit("", left + 64, top + 18, 44, 20, firstId + kSizeOffset, ES_READONLY | ES_NUMBER));
    g.upDown = on(add(UPDOWN_CLASSW, "",
                      UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0,
                      0, firstId + kUpDownOffset));
    SendMessageW(g.upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(g.size), 0);
    SendMessageW(g.upDown, UDM_SETRANGE32, kMinFontSize, kMaxFontSize);
    g.lblColor = on(add(L"STATIC", "", SS_RIGHT | SS_NOPREFIX, left + 130, top + 21, 56, 13, -1));
    g.colour = on(add(kSwatchClass, "", 0, left + 192, top + 18, 40, 20, firstId + kColourOffset));
    setTip(g.colour, "");
    g.lblName = on(label("", left + 10, top + 49, 52, 13));
    g.fonts = on(add(WC_COMBOBOXW, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                     left + 64, top + 46, 186, 300, firstId + kFontsOffset));
    SendMessageW(g.fonts, CB_INITSTORAGE, faces.size(),
                 static_cast<LPARAM>(faces.size() * 32 * sizeof(wchar_t)));
    for (const std::wstring& face : faces) {
        SendMessageW(g.fonts, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
    }
    SendMessageW(g.fonts, CB_SETMINVISIBLE, 16, 0);
    g.lblStyle = on(label("", left + 10, top + 78, 52, 13));
    g.bold = on(checkBox("", left + 64, top + 76, 92, 17, firstId + kBoldOffset));
    g.italic = on(checkBox("", left + 160, top + 76, 92, 17, firstId + kItalicOffset));
    return g;
}

void TFormOptions::buildFontsPage() {
    const std::vector<std::wstring> faces = installedFontNames();
    const int top = m_pageTop + kFontsTop;
    const int tzTop = top + kGroupHeight + kCopyHeight + 11;
    const FontsPage lefts = fontsPage(kGroupWidth, 0, 0, 0);
    gbFont = makeFontGroup(lefts.gbFontLeft, top, kIdTimeGroup, faces);
    gbDateFont = makeFontGroup(lefts.gbDateFontLeft, top, kIdDateGroup, faces);
    gbTZFont = makeFontGroup(lefts.gbTZFontLeft, tzTop, kIdZoneGroup, faces);

    // The copy buttons: the time-date pair under the gap between the upper groups, the other
    // pairs beside the zone-name group, joined to the groups by bevel lines. No tab stops.
    const auto copy = [this](const char* arrow, int x, int y, int id) {
        return onPage(kPageFonts,
                      add(L"BUTTON", arrow, BS_PUSHBUTTON, x, y, kCopyWidth, kCopyHeight, id));
    };
    const int gapCentre = (lefts.gbFontLeft + kGroupWidth + lefts.gbDateFontLeft) / 2;
    const int bandTop = top + kGroupHeight + 5;
    btnDateToTimer = copy("<--", gapCentre - kCopyWidth - 1, bandTop, kIdDateToTimer);
    btnTimerToDate = copy("-->", gapCentre + 1, bandTop, kIdTimerToDate);
    const int pairTop = tzTop + kGroupHeight / 2 - kCopyHeight;
    const int leftCentre = (lefts.gbFontLeft + lefts.gbTZFontLeft) / 2;
    const int rightCentre =
        (lefts.gbTZFontLeft + kGroupWidth + lefts.gbDateFontLeft + kGroupWidth) / 2;
    const int pairLeft = leftCentre - kCopyWidth / 2;
    const int pairRight = rightCentre - kCopyWidth / 2;
    btnTimerToTZ = copy("-->", pairLeft, pairTop, kIdTimerToTZ);
    btnTZToTimer = copy("<--", pairLeft, pairTop + kCopyHeight + 2, kIdTZToTimer);
    btnDateToTZ = copy("<--", pairRight, pairTop, kIdDateToTZ);
    btnTZToDate = copy("-->", pairRight, pairTop + kCopyHeight + 2, kIdTZToDate);

    const int upperBottom = top + kGroupHeight;
    const int middle = pairTop + kCopyHeight;
    const auto bevel = [this](DWORD shape, int x, int y, int w, int h) {
        onPage(kPageFonts, add(L"STATIC", "", shape, x, y, w, h, -1));
    };
    bevel(SS_ETCHEDVERT, leftCentre, upperBottom, 2, pairTop - upperBottom);
    bevel(SS_ETCHEDHORZ, pairLeft + kCopyWidth, middle, lefts.gbTZFontLeft - pairLeft - kCopyWidth,
          2);
    bevel(SS_ETCHEDVERT, rightCentre, upperBottom, 2, pairTop - upperBottom);
    const int tzRight = lefts.gbTZFontLeft + kGroupWidth;
    bevel(SS_ETCHEDHORZ, tzRight, middle, pairRight - tzRight, 2);
}

void TFormOptions::buildFormatPage() {
    const int top = m_pageTop;
    const auto on = [this](HWND c) { return onPage(kPageFormat, c); };
    const auto group = [&](int x, int y, int w, int h) { return on(frame(x, y, w, h)); };
    gbDateFormat = group(kMargin, top + kMargin, 190, 218);
    gbTimeFormat = group(206, top + kMargin, 120, 100);
    gbETimeFormat = group(206, top + 116, 120, 110);
    for (std::size_t i = 0; i < rbTimeFormat.size(); ++i) {
        const int y = top + kMargin + 20 + static_cast<int>(i) * 24;
        rbTimeFormat[i] =
            on(radio("", 216, y, 104, 17, kIdTimeFormat + static_cast<int>(i), i == 0));
    }
    for (std::size_t i = 0; i < rbETimeFormat.size(); ++i) {
        const int y = top + 116 + 20 + static_cast<int>(i) * 24;
        rbETimeFormat[i] =
            on(radio("", 216, y, 104, 17, kIdETimeFormat + static_cast<int>(i), i == 0));
    }
    for (std::size_t i = 0; i < rbDateFormat.size(); ++i) {
        const int y = top + kMargin + 20 + static_cast<int>(i) * 30;
        rbDateFormat[i] =
            on(radio("", 18, y, 176, 17, kIdDateFormat + static_cast<int>(i), i == 0));
    }
}

void TFormOptions::buildLangPage() {
    const int top = m_pageTop;
    const auto on = [this](HWND c) { return onPage(kPageLang, c); };
    gbLang = on(frame(kMargin, top + kMargin, 160, 72));
    rbEn = on(radio("", 20, top + kMargin + 22, 130, 17, kIdEnglish, true));
    rbPl = on(radio("", 20, top + kMargin + 44, 130, 17, kIdPolish, false));
}

void TFormOptions::buildAccelerators() {
    const std::pair<const char*, int> keys[] = {
        {"F6", kAccF6},   {"F7", kAccF7},       {"F8", kAccF8},       {"F9", kAccF9},
        {"F11", kAccF11}, {"Ctrl+O", kAccLoad}, {"Ctrl+S", kAccSave},
    };
    std::vector<ACCEL> table;
    for (const auto& [name, id] : keys) {
        if (auto a = acceleratorFor(name)) {
            a->cmd = static_cast<WORD>(id);
            table.push_back(*a);
        }
    }
    // The clock's Options key closes the window again.
    for (const Shortcut& s : mainShortcuts()) {
        if (s.command != Command::Options) continue;
        if (auto a = acceleratorFor(s.keys)) {
            a->cmd = kAccClose;
            table.push_back(*a);
        }
    }
    setAccelerators(table);
}

void TFormOptions::setTip(HWND control, const std::string& text) {
    std::wstring wide = win32::widen(text);
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = wide.data();
    const bool known = std::find(m_tipped.begin(), m_tipped.end(), control) != m_tipped.end();
    if (!known) m_tipped.push_back(control);
    SendMessageW(tips, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

std::string TFormOptions::tipOf(HWND control) const {
    wchar_t buffer[512] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = buffer;
    SendMessageW(tips, TTM_GETTEXTW, std::size(buffer), reinterpret_cast<LPARAM>(&ti));
    return win32::narrow(buffer);
}

// ---- pages and sizes ----

int TFormOptions::pageShown() const {
    return static_cast<int>(SendMessageW(pc, TCM_GETCURSEL, 0, 0));
}

void TFormOptions::pcChange() {
    const int shown = pageShown();
    for (std::size_t p = 0; p < m_pages.size(); ++p) {
        for (HWND c : m_pages[p]) ShowWindow(c, static_cast<int>(p) == shown ? SW_SHOW : SW_HIDE);
    }
    setClientSize(shown == kPageFonts ? m_fontsPage.window : m_compact);
}

void TFormOptions::setClientSize(PageSize size) {
    RECT r{0, 0, px(size.width), px(size.height)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    placeFrame();
    // The part the window grew by shows nothing until it is painted.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

PageSize TFormOptions::clientSize() const {
    RECT r;
    GetClientRect(hwnd(), &r);
    return {MulDiv(r.right, 96, px(96)), MulDiv(r.bottom, 96, px(96))};
}

int TFormOptions::textWidth(HWND control) const {
    const std::wstring t = win32::widen(text(control));
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font());
    SIZE s{};
    GetTextExtentPoint32W(dc, t.c_str(), static_cast<int>(t.size()), &s);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return MulDiv(s.cx, 96, px(96));
}

// The tab strip across the top (the pages themselves have no frame) and the buttons along the
// bottom: Default at the left, Save and Load at the right.
void TFormOptions::placeFrame() {
    const PageSize client = clientSize();
    const auto place = [this](HWND c, int x, int y, int w, int h) {
        MoveWindow(c, px(x), px(y), px(w), px(h), TRUE);
    };
    place(pc, 0, 0, client.width, m_pageTop + 1);
    const int top = client.height - kButtonHeight - kMargin;
    const auto widthOf = [this](HWND b) { return std::max(75, textWidth(b) + 16); };
    place(btnDefault, kMargin, top, widthOf(btnDefault), kButtonHeight);
    const int loadLeft = client.width - kMargin - widthOf(btnLoadSettings);
    place(btnLoadSettings, loadLeft, top, widthOf(btnLoadSettings), kButtonHeight);
    place(btnSaveSettings, loadLeft - 6 - widthOf(btnSaveSettings), top, widthOf(btnSaveSettings),
          kButtonHeight);
}

// ---- texts ----

void TFormOptions::SetLang() {
    const bool english = m_main.state().English;
    const OptionsTexts t = optionsTexts(english);
    setTitle(t.caption);
    const std::string* tabs[] = {&t.tsMain, &t.tsFonts, &t.tsFormat, &t.tsLang, &t.tsRegistry};
    for (int i = 0; i < 5; ++i) {
        std::wstring caption = win32::widen(*tabs[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(pc, TCM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    setText(lblBg, t.lblBg);
    setText(lblTransparency, t.lblTransparency);
    setText(chShowMode, t.chShowMode);
    setText(chShowDate, t.chShowDate);
    setText(chShowTZ, t.chShowTZ);
    setText(chShowWorld, t.chShowWorld);
    setText(chPlayTick, t.chPlayTick);
    setText(chShortcut, t.chShortcut);
    setText(chMenuStart, t.chMenuStart);
    setText(gbFont.box, t.gbFont);
    setText(gbDateFont.box, t.gbDateFont);
    setText(gbTZFont.box, t.gbTZFont);
    for (const FontGroup* g : {&gbFont, &gbDateFont, &gbTZFont}) {
        setText(g->lblSize, t.lblFontSize);
        setText(g->lblName, t.lblFontName);
        setText(g->lblColor, t.lblFontColor);
        setText(g->lblStyle, t.lblFontStyle);
        setText(g->bold, t.chBold);
        setText(g->italic, t.chItalic);
        setTip(g->colour, t.fontColourHint);
    }
    setTip(shBgColor, t.bgColourHint);
    setText(gbTimeFormat, t.gbTimeFormat);
    setText(gbETimeFormat, t.gbETimeFormat);
    setText(gbDateFormat, t.gbDateFormat);
    for (std::size_t i = 0; i < rbTimeFormat.size(); ++i)
        setText(rbTimeFormat[i], t.timeFormats[i]);
    for (std::size_t i = 0; i < rbETimeFormat.size(); ++i) {
        setText(rbETimeFormat[i], t.eTimeFormats[i]);
    }
    for (std::size_t i = 0; i < rbDateFormat.size(); ++i)
        setText(rbDateFormat[i], t.dateFormats[i]);
    setText(gbLang, t.gbLang);
    setText(rbEn, t.rbEn);
    setText(rbPl, t.rbPl);
    setText(btnDelReg, t.btnDelReg);
    setText(btnLoadSettings, t.actLoadSettings);
    setText(btnSaveSettings, t.actSaveSettings);
    // The Default button speaks as the clock's Default command does.
    const MainTexts main = mainTexts(m_main.state());
    setText(btnDefault, main.actDefault);
    setTip(btnDefault, main.actDefaultHint);

    // The percentage follows its label closely.
    RECT r;
    GetWindowRect(lblTransparency, &r);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    MoveWindow(lblAlpha, r.left + px(textWidth(lblTransparency) + 4), r.top, px(50),
               r.bottom - r.top, TRUE);
    placeFrame();
}

}  // namespace temura::wingui
