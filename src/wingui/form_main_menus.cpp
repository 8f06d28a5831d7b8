// The clock window's popup and tray menus, their owner-drawn items, the shortcuts and the
// language of every caption.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "ui/lang_rules.h"
#include "wingui/colours.h"
#include "wingui/form_main.h"
#include "wingui/shortcut_keys.h"

namespace temura::wingui {

namespace {

// Captions are shown as written: "&" is no mnemonic marker in them.
std::wstring menuText(const std::string& caption, const char* shortcut) {
    std::wstring t;
    for (wchar_t c : win32::widen(caption)) {
        if (c == L'&') t += L'&';
        t += c;
    }
    if (*shortcut) t += L"\t" + win32::widen(shortcut);
    return t;
}

}  // namespace

void TFormMain::destroyMenus() {
    // Submenus go with the menu that holds them.
    if (m_popMain) DestroyMenu(m_popMain);
    if (m_popCti) DestroyMenu(m_popCti);
    m_popMain = m_popCti = nullptr;
    m_mainSlots.clear();
    m_ctiSlots.clear();
}

void TFormMain::fillMenu(HMENU menu, const std::vector<MenuItem>& items, const MainTexts& texts,
                         std::vector<MenuSlot>& slots) {
    UINT position = 0;
    for (const MenuItem& item : items) {
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_ID;
        mi.wID = static_cast<UINT>(item.command);
        std::wstring text;
        if (item.caption) {
            text = menuText(texts.*item.caption, item.shortcut);
            mi.fMask |= MIIM_STRING;
            mi.dwTypeData = text.data();
        }
        switch (item.kind) {
            case ItemKind::Separator:
                mi.fType = MFT_SEPARATOR;
                break;
            case ItemKind::Header:
            case ItemKind::Exit:
                // Drawn by the window; the text stays for readers of the menu.
                mi.fType = MFT_OWNERDRAW;
                mi.fMask |= MIIM_DATA;
                mi.dwItemData = static_cast<ULONG_PTR>(item.command);
                break;
            case ItemKind::Submenu:
                mi.fType = MFT_STRING;
                mi.fMask |= MIIM_SUBMENU;
                mi.hSubMenu = CreatePopupMenu();
                fillMenu(mi.hSubMenu, item.children, texts, slots);
                break;
            case ItemKind::Command:
                mi.fType = MFT_STRING;
                if (item.command >= Command::SetModeT && item.command <= Command::SetModeS) {
                    mi.fType |= MFT_RADIOCHECK;
                }
                break;
        }
        InsertMenuItemW(menu, position, TRUE, &mi);
        if (item.kind != ItemKind::Separator) slots.push_back({menu, position, item.command});
        ++position;
    }
}

void TFormMain::buildMenus() {
    destroyMenus();
    const MainTexts texts = mainTexts(m_state);
    m_popMain = CreatePopupMenu();
    fillMenu(m_popMain, popMainItems(), texts, m_mainSlots);
    m_popCti = CreatePopupMenu();
    fillMenu(m_popCti, popCtiItems(), texts, m_ctiSlots);
}

void TFormMain::buildAccelerators() {
    std::vector<ACCEL> table;
    for (const Shortcut& s : mainShortcuts()) {
        if (const auto key = acceleratorFor(s.keys)) {
            ACCEL a = *key;
            a.cmd = static_cast<WORD>(s.command);
            table.push_back(a);
        }
    }
    m_accel = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

bool TFormMain::translateAccelerator(MSG& msg) {
    if (!m_accel || !m_hwnd) return false;
    if (msg.hwnd != m_hwnd && !IsChild(m_hwnd, msg.hwnd)) return false;
    return TranslateAcceleratorW(m_hwnd, m_accel, &msg) != 0;
}

MenuContext TFormMain::menuContext() const {
    MenuContext c;
    c.buttonsShown = m_buttonsShown;
    c.windowsAvailable = true;  // and each window's own commands follow hasOpener
    return c;
}

void TFormMain::applySlotStates(const std::vector<MenuSlot>& slots) {
    const MenuContext context = menuContext();
    for (const MenuSlot& slot : slots) {
        ItemState st = menuItemState(slot.command, m_state, context);
        if (!hasOpener(slot.command)) st.enabled = false;
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_STATE;
        mi.fState = (st.enabled ? MFS_ENABLED : MFS_DISABLED) | (st.checked ? MFS_CHECKED : 0);
        SetMenuItemInfoW(slot.menu, slot.position, TRUE, &mi);
    }
}

void TFormMain::popMainPopup() {
    applySlotStates(m_mainSlots);
}

void TFormMain::popCtiPopup() {
    applySlotStates(m_ctiSlots);
}

void TFormMain::showPopMain(POINT at) {
    popMainPopup();
    TrackPopupMenuEx(m_popMain, TPM_RIGHTBUTTON, at.x, at.y, m_hwnd, nullptr);
}

void TFormMain::showPopCti() {
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(m_hwnd);
    popCtiPopup();
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenuEx(m_popCti, TPM_RIGHTBUTTON, at.x, at.y, m_hwnd, nullptr);
    PostMessageW(m_hwnd, WM_NULL, 0, 0);
}

void TFormMain::onTray(LPARAM lParam) {
    switch (LOWORD(lParam)) {
        case WM_LBUTTONUP:
            actRestoreExecute();
            break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
            showPopCti();
            break;
        default:
            break;
    }
}

// ---- owner-drawn items ----

std::wstring TFormMain::ownerDrawnText(Command command) const {
    const MainTexts t = mainTexts(m_state);
    switch (command) {
        case Command::Sep1:
            return win32::widen(t.popSep1);
        case Command::Sep2:
            return win32::widen(t.popSep2);
        case Command::Sep3:
            return win32::widen(t.popSep3);
        default:
            return win32::widen(exitItemText(t.actClose, "Esc"));
    }
}

void TFormMain::onMeasureItem(MEASUREITEMSTRUCT& m) {
    if (m.CtlType != ODT_MENU) return;
    const auto command = static_cast<Command>(m.itemData);
    const bool exit = command == Command::Close;
    HDC dc = GetDC(m_hwnd);
    const TextMeasure text =
        measureText(dc, (exit ? m_exitFont : m_headerFont).handle(), ownerDrawnText(command));
    const int zeroHeight = measureText(dc, m_headerFont.handle(), L"0").height;
    ReleaseDC(m_hwnd, dc);
    m.itemWidth = static_cast<UINT>(text.width + 8);
    // A header is as high as its text; the exit item as high as an ordinary item.
    m.itemHeight = static_cast<UINT>(exit ? std::max(GetSystemMetrics(SM_CYMENU), text.height + 4)
                                          : zeroHeight);
}

void TFormMain::onDrawItem(const DRAWITEMSTRUCT& d) {
    if (d.CtlType != ODT_MENU) return;
    const auto command = static_cast<Command>(d.itemData);
    const bool exit = command == Command::Close;
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    HDC dc = d.hDC;
    const int saved = SaveDC(dc);
    RECT r = d.rcItem;
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = ownerDrawnText(command);
    if (exit) {
        SelectObject(dc, (selected ? m_exitFontBold : m_exitFont).handle());
        SetTextColor(dc, selected ? RGB(255, 255, 255) : RGB(0xC0, 0xC0, 0xC0));
        RECT t = r;
        t.top += 2;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t,
                  DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        SelectObject(dc, m_headerFont.handle());
        SetTextColor(dc, toColorRef(m_state.SeparatorColor));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (selected) {
        RECT frame{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    RestoreDC(dc, saved);
}

// ---- language ----

void TFormMain::SetLang() {
    buildMenus();
    const MainTexts t = mainTexts(m_state);
    const std::string* hints[] = {&t.actStartHint, &t.actPauseHint, &t.actStopHint};
    for (UINT i = 0; i < 3; ++i) {
        std::wstring text = win32::widen(*hints[i]);
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.hwnd = m_hwnd;
        ti.uId = 2 + i;
        ti.lpszText = text.data();
        SendMessageW(m_tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    SetHint();
    notify(m_languageListeners);
}

void TFormMain::SetHint() {
    m_hint = win32::widen(composeHint(m_state, m_services.clock.utcTime()));
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = m_hwnd;
    ti.uId = 1;
    ti.lpszText = m_hint.data();
    SendMessageW(m_tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace temura::wingui
