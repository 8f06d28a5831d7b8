// The time-zone window's list view: a virtual list that reads its cells from the zone list, its
// row icons, the bold names of user zones, the selection both ways and the popup menu.

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "wingui/form_time_zones.h"

namespace temura::wingui {

namespace {

constexpr int kIconCount = kIconChanged + 1;
constexpr int kColumnMinWidth = kZoneColumnMinWidth;
constexpr COLORREF kMaroon = RGB(128, 0, 0);
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMask = RGB(255, 0, 255);

enum class Glyph { Plus, Minus, Zero, Bang };

struct IconArt {
    Glyph glyph;
    COLORREF colour;
    bool disc;
    COLORREF discColour;
};

// In the order of ZoneIcon: system zones on a maroon disc, user zones without, changed rows on
// a green one.
constexpr IconArt kIconArt[kIconCount] = {
    {Glyph::Plus, kSilver, true, kMaroon}, {Glyph::Minus, kSilver, true, kMaroon},
    {Glyph::Zero, kSilver, true, kMaroon}, {Glyph::Plus, kSilver, false, 0},
    {Glyph::Minus, kSilver, false, 0},     {Glyph::Zero, kSilver, false, 0},
    {Glyph::Bang, kWhite, true, kGreen},
};

void drawIcon(HDC dc, const IconArt& art, int size) {
    const auto s = [size](int v) { return MulDiv(v, size, 16); };
    RECT all{0, 0, size, size};
    const HBRUSH mask = CreateSolidBrush(kMask);
    FillRect(dc, &all, mask);
    DeleteObject(mask);
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    if (art.disc) {
        const HBRUSH disc = CreateSolidBrush(art.discColour);
        const HGDIOBJ old = SelectObject(dc, disc);
        Ellipse(dc, 0, 0, size + 1, size + 1);
        SelectObject(dc, old);
        DeleteObject(disc);
    }
    const HBRUSH ink = CreateSolidBrush(art.colour);
    const auto bar = [&](int x, int y, int w, int h) {
        RECT r{s(x), s(y), s(x + w), s(y + h)};
        FillRect(dc, &r, ink);
    };
    switch (art.glyph) {
        case Glyph::Plus:
            bar(4, 7, 8, 2);
            bar(7, 4, 2, 8);
            break;
        case Glyph::Minus:
            bar(4, 7, 8, 2);
            break;
        case Glyph::Zero: {
            const HPEN pen = CreatePen(PS_SOLID, std::max(1, s(2)), art.colour);
            const HGDIOBJ old = SelectObject(dc, pen);
            const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
            Ellipse(dc, s(5), s(4), s(11), s(13));
            SelectObject(dc, oldBrush);
            SelectObject(dc, old);
            DeleteObject(pen);
            break;
        }
        case Glyph::Bang:
            bar(7, 3, 2, 7);
            bar(7, 11, 2, 2);
            break;
    }
    DeleteObject(ink);
    SelectObject(dc, oldPen);
}

HIMAGELIST makeRowIcons(int size) {
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kIconCount, 0);
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    for (const IconArt& art : kIconArt) {
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        drawIcon(dc, art, size);
        SelectObject(dc, old);
        ImageList_AddMasked(list, bitmap, kMask);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return list;
}

int formatOf(int column) {
    switch (kZoneColumns[static_cast<std::size_t>(column)].align) {
        case ColumnAlign::Right:
            return LVCFMT_RIGHT;
        case ColumnAlign::Centre:
            return LVCFMT_CENTER;
        case ColumnAlign::Left:
            break;
    }
    return LVCFMT_LEFT;
}

}  // namespace

void TFormTimeZones::createList() {
    lv = add(WC_LISTVIEWW, "",
             WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 0, 0,
             0, 0, kIdList, WS_EX_CLIENTEDGE);
    SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    m_icons = makeRowIcons(px(16));
    SendMessageW(lv, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_icons));
    for (int c = 0; c < kZoneColumnCount; ++c) {
        LVCOLUMNW col{};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
        col.fmt = formatOf(c);
        col.cx = px(kZoneColumns[static_cast<std::size_t>(c)].width);
        col.iSubItem = c;
        SendMessageW(lv, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    // The number column holds the row icon beside "000": the design width leaves no room for
    // the list's margins.
    const int numberWidth = px(16 + 30);
    if (SendMessageW(lv, LVM_GETCOLUMNWIDTH, kColNumber, 0) < numberWidth) {
        SendMessageW(lv, LVM_SETCOLUMNWIDTH, kColNumber, numberWidth);
    }
}

void TFormTimeZones::createPopup() {
    m_popLv = CreatePopupMenu();
    const int items[] = {kIdUse,       0,       kIdWorld, kIdWorldEarlier, kIdWorldLater,
                         kIdWorldName, 0,       kIdAdd,   kIdDelete,       0,
                         kIdUp,        kIdDown, 0,        kIdMarkUser,     kIdMarkSystem};
    for (const int id : items) {
        if (id == 0) {
            AppendMenuW(m_popLv, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(m_popLv, MF_STRING, static_cast<UINT_PTR>(id), L"");
        }
    }
}

void TFormTimeZones::showPopup(LPARAM at) {
    POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {
        // From the keyboard: beside the focused row, or the list's corner.
        RECT r{};
        const auto row = static_cast<int>(
            SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        r.left = LVIR_BOUNDS;
        if (row < 0 || !SendMessageW(lv, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(&r))) {
            r = {};
        }
        p = {r.left + px(8), r.bottom};
        ClientToScreen(lv, &p);
    }
    TrackPopupMenu(m_popLv, TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd(), nullptr);
}

LRESULT TFormTimeZones::onNotify(const NMHDR& n) {
    if (n.hwndFrom != lv) {
        // The header's: no column narrower than its minimum.
        if (n.code == HDN_ITEMCHANGINGW || n.code == HDN_ITEMCHANGINGA) {
            const auto& h = reinterpret_cast<const NMHEADERW&>(n);
            if (h.pitem && (h.pitem->mask & HDI_WIDTH) && h.pitem->cxy < px(kColumnMinWidth)) {
                return TRUE;
            }
        }
        return 0;
    }
    switch (n.code) {
        case LVN_GETDISPINFOW:
            fillDispInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&n)));
            return 0;
        case LVN_ITEMCHANGED: {
            const auto& c = reinterpret_cast<const NMLISTVIEW&>(n);
            if ((c.uChanged & LVIF_STATE) && ((c.uOldState ^ c.uNewState) & LVIS_SELECTED)) {
                lvSelectItem();
            }
            return 0;
        }
        case LVN_ODSTATECHANGED: {
            const auto& c = reinterpret_cast<const NMLVODSTATECHANGE&>(n);
            if ((c.uOldState ^ c.uNewState) & LVIS_SELECTED) lvSelectItem();
            return 0;
        }
        case NM_DBLCLK:
            if (reinterpret_cast<const NMITEMACTIVATE&>(n).iItem >= 0) actUseExecute();
            return 0;
        case NM_CUSTOMDRAW:
            return customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&n)));
        default:
            return 0;
    }
}

void TFormTimeZones::fillDispInfo(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (item.iItem < 0 || item.iItem >= m_list.rowCount()) return;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && item.iSubItem >= 0 &&
        item.iSubItem < kZoneColumnCount) {
        m_cellText = win32::widen(m_list.cellText(item.iItem, item.iSubItem));
        const std::size_t n =
            std::min(m_cellText.size(), static_cast<std::size_t>(item.cchTextMax - 1));
        std::copy_n(m_cellText.begin(), n, item.pszText);
        item.pszText[n] = L'\0';
    }
    if (item.mask & LVIF_IMAGE) item.iImage = m_list.iconIndex(item.iItem);
}

LRESULT TFormTimeZones::customDraw(NMLVCUSTOMDRAW& cd) {
    switch (cd.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const auto row = static_cast<int>(cd.nmcd.dwItemSpec);
            const bool bold =
                cd.iSubItem == kColName && row < m_list.rowCount() && m_list.nameBold(row);
            SelectObject(cd.nmcd.hdc, bold ? m_boldFont.handle() : font());
            return CDRF_NEWFONT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

void TFormTimeZones::renderRows() {
    m_list.markWorldLines(m_state.WorldLines);  // the Clock column's places
    m_shownLines = m_state.WorldLines;
    SendMessageW(lv, LVM_SETITEMCOUNT, static_cast<WPARAM>(m_list.rowCount()),
                 LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    InvalidateRect(lv, nullptr, FALSE);
}

void TFormTimeZones::renderSelection() {
    const FlagGuard guard(m_rendering);
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    const std::vector<int> rows = m_list.selection();
    for (const int r : rows) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | (r == rows.front() ? LVIS_FOCUSED : 0u);
        SendMessageW(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&item));
    }
}

void TFormTimeZones::lvSelectItem() {
    if (m_rendering) return;
    std::vector<int> rows;
    for (int r = -1;;) {
        r = static_cast<int>(
            SendMessageW(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(r), LVNI_SELECTED));
        if (r < 0) break;
        rows.push_back(r);
    }
    m_list.setSelection(rows);
    renderFields();
    InitAll();
    setTitle(m_list.windowCaption());
    Timer1Timer();
}

}  // namespace temura::wingui
