#include "wingui/form_time_zones.h"

#include <utility>

#include "clock/zone_arithmetic.h"
#include "platform/win32/wide_text.h"
#include "ui/menu_rules.h"
#include "wingui/shortcut_keys.h"
#include "zones/world_choice.h"
#include "zones/zone_catalogue.h"

namespace temura::wingui {

namespace {

// Sizes in pixels at 96 DPI.
constexpr int kDesignWidth = 593;
constexpr int kDesignHeight = 488;
constexpr int kMinHeight = 382;
constexpr int kMargin = 6;
constexpr int kPanelHeight = 180;
constexpr int kBottomHeight = 52;
constexpr int kButtonHeight = 23;
constexpr int kTimerMs = 500;

bool isPushButton(HWND w) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, static_cast<int>(std::size(cls)));
    if (lstrcmpiW(cls, L"Button") != 0) return false;
    const LONG_PTR type = GetWindowLongPtrW(w, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

int parseSpinText(const std::string& text) {
    std::int32_t v = 0;
    return TryParseInt(text, v) ? v : 0;
}

}  // namespace

TFormTimeZones::TFormTimeZones(TFormMain& main, Files& files, WinPrompts& prompts,
                               ZoneTableFactory zoneTable)
    : DialogWindow(main.hwnd(), L"TemuraTimeZones", kDesignWidth, kDesignHeight),
      m_main(main),
      m_state(main.state()),
      m_files(files),
      m_prompts(prompts),
      m_zoneTable(std::move(zoneTable)),
      m_list(main.services().clock, main.state().English) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    m_boldFont.set(FontSpec{"MS Shell Dlg 2", 8, true, false}, px(96));

    // Resizable: the list takes what the window gains. The group boxes leave their inside to
    // the window's own background, which clipping the children would leave unpainted.
    SetWindowLongPtrW(hwnd(), GWL_STYLE,
                      (GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_THICKFRAME) & ~WS_CLIPCHILDREN);
    RECT r{0, 0, px(kDesignWidth), px(kDesignHeight)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
    m_minSize = {r.right - r.left, r.bottom - r.top - px(kDesignHeight - kMinHeight)};
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    createControls();
    layout();

    std::vector<ACCEL> keys = {{FCONTROL | FVIRTKEY, VK_UP, kIdUp},
                               {FCONTROL | FVIRTKEY, VK_DOWN, kIdDown}};
    // The clock's select-zone key closes the window again.
    for (const Shortcut& s : mainShortcuts()) {
        if (s.command != Command::SelectTimeZone) continue;
        if (auto key = acceleratorFor(s.keys)) {
            key->cmd = kIdCloseKey;
            keys.push_back(*key);
        }
    }
    setAccelerators(keys);

    SetLang();
    InitAll();
    SetTimer(hwnd(), kTimerLoad, kTimerMs, nullptr);
}

TFormTimeZones::~TFormTimeZones() {
    if (m_popLv) DestroyMenu(m_popLv);
    if (m_icons) ImageList_Destroy(m_icons);
}

void TFormTimeZones::createControls() {
    createList();
    createPopup();
    btnAdd = button("", 0, 0, 0, 0, kIdAdd);
    btnDelete = button("", 0, 0, 0, 0, kIdDelete);
    btnUp = button("", 0, 0, 0, 0, kIdUp);
    btnDown = button("", 0, 0, 0, 0, kIdDown);
    Button3 = button("", 0, 0, 0, 0, kIdUpdate);
    lblName = label("", 0, 0, 0, 0);
    edName = edit("", 0, 0, 0, 0, kIdName);
    Button1 = button("", 0, 0, 0, 0, kIdCopy);
    Button2 = button("", 0, 0, 0, 0, kIdPaste);
    Button4 = button("", 0, 0, 0, 0, kIdClear);
    Button7 = button("", 0, 0, 0, 0, kIdOK);
    HWND* groups[] = {&gbGMTBias, &gbDSTBias, &gbStdBias, &gbDST, &gbStd};
    const int firstField[] = {kGMTBiasHour, kDSTBiasHour, kStdBiasHour,
                              kDSTDay,      kStdDay,      kZoneFieldCount};
    for (int g = 0; g < 5; ++g) {
        *groups[g] = groupBox("", 0, 0, 0, 0);
        for (int f = firstField[g]; f < firstField[g + 1]; ++f) {
            const auto i = static_cast<std::size_t>(f);
            spinLabel[i] = label("", 0, 0, 0, 0);
            spinEdit[i] = edit("0", 0, 0, 0, 0, kIdSpinEdit + f, ES_RIGHT);
            spin[i] = add(UPDOWN_CLASSW, "",
                          UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0,
                          0, 0, kIdSpin + f);
            SendMessageW(spin[i], UDM_SETRANGE32, static_cast<WPARAM>(kZoneFieldRanges[i].min),
                         kZoneFieldRanges[i].max);
        }
    }
    lblSelZoneTime = label("", 0, 0, 0, 0);
    lblTZTime = label("", 0, 0, 0, 0);
    lblTZDate = label("", 0, 0, 0, 0);
    btnWorld = button("", 0, 0, 0, 0, kIdWorld);
    btnUse = add(L"BUTTON", "", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, kIdUse);
    btnCancel = button("", 0, 0, 0, 0, kIdCancel);
}

// Everything below the list keeps its distance from the bottom edge; the list, the name edit and
// the preview lines take the room the window gains.
void TFormTimeZones::layout() {
    RECT rc;
    GetClientRect(hwnd(), &rc);
    const int dpi = px(96);
    const int w = std::max(MulDiv(rc.right, 96, dpi), kDesignWidth);
    const int h = std::max(MulDiv(rc.bottom, 96, dpi), kMinHeight);
    const auto place = [this](HWND c, int x, int y, int cx, int cy) {
        MoveWindow(c, px(x), px(y), px(cx), px(cy), FALSE);
    };
    const int bottom = h - kMargin - kBottomHeight;
    const int panel = bottom - kMargin - kPanelHeight;
    place(lv, kMargin, kMargin, w - 2 * kMargin, panel - 2 * kMargin);

    const HWND left[] = {btnAdd, btnDelete, btnUp, btnDown, Button3};
    for (int i = 0; i < 5; ++i) place(left[i], kMargin, panel + i * 27, 80, kButtonHeight);

    const int x0 = kMargin + 86;
    const HWND small[] = {Button1, Button2, Button4, Button7};
    const int smallLeft = w - kMargin - 4 * 56 - 3 * 4;
    for (int i = 0; i < 4; ++i) place(small[i], smallLeft + i * 60, panel, 56, kButtonHeight);
    place(lblName, x0, panel + 5, 48, 14);
    place(edName, x0 + 50, panel + 1, smallLeft - 8 - (x0 + 50), 21);

    // A spin field: its caption, then the edit with the up-down on its right edge.
    const auto field = [&](int f, int x, int y, int labelWidth) {
        const auto i = static_cast<std::size_t>(f);
        place(spinLabel[i], x, y + 3, labelWidth, 14);
        place(spinEdit[i], x + labelWidth + 2, y, 48, 21);
        SendMessageW(spin[i], UDM_SETBUDDY, reinterpret_cast<WPARAM>(spinEdit[i]), 0);
    };
    const HWND bias[] = {gbGMTBias, gbDSTBias, gbStdBias};
    for (int g = 0; g < 3; ++g) {
        const int y = panel + 30 + g * 50;
        place(bias[g], x0, y, 222, 48);
        field(kGMTBiasHour + 2 * g, x0 + 8, y + 17, 46);
        field(kGMTBiasHour + 2 * g + 1, x0 + 110, y + 17, 54);
    }
    const int x1 = x0 + 228;
    const HWND start[] = {gbDST, gbStd};
    for (int g = 0; g < 2; ++g) {
        const int y = panel + 30 + g * 75;
        place(start[g], x1, y, w - kMargin - x1, 73);
        for (int k = 0; k < 4; ++k) {
            field(kDSTDay + 4 * g + k, x1 + 8 + (k % 2) * 118, y + 17 + (k / 2) * 26, 60);
        }
    }

    const int useLeft = w - kMargin - 200;
    const int worldLeft = useLeft - 6 - 100;
    place(lblSelZoneTime, kMargin, bottom + 4, 150, 14);
    place(lblTZTime, kMargin + 154, bottom + 4, worldLeft - 6 - (kMargin + 154), 14);
    place(btnWorld, worldLeft, bottom, 100, kButtonHeight);
    place(lblTZDate, kMargin + 154, bottom + 30, useLeft - 6 - (kMargin + 154), 14);
    place(btnUse, useLeft, bottom, 200, kButtonHeight);
    place(btnCancel, useLeft, bottom + 29, 200, kButtonHeight);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void TFormTimeZones::open() {
    show();
    InitAll();
}

void TFormTimeZones::SetLang() {
    m_list.SetLang(m_state.English);
    const ZoneTexts& t = m_list.texts();
    const std::pair<HWND, const std::string*> captions[] = {
        {btnAdd, &t.actAdd},
        {btnDelete, &t.actRemoveSelected},
        {btnUp, &t.actMoveUp},
        {btnDown, &t.actMoveDown},
        {Button3, &t.actUpdateTZ},
        {Button1, &t.actCopyInfo},
        {Button2, &t.actPasteInfo},
        {Button4, &t.actClear},
        {Button7, &t.actOK},
        {btnUse, &t.actUse},
        {btnCancel, &t.actCancel},
        {btnWorld, &t.actWorld},
        {lblName, &t.lblName},
        {gbGMTBias, &t.gbGMTBias},
        {gbDSTBias, &t.gbDSTBias},
        {gbStdBias, &t.gbStdBias},
        {gbDST, &t.gbDST},
        {gbStd, &t.gbStd},
        {lblSelZoneTime, &t.lblSelZoneTime},
    };
    for (const auto& [control, text] : captions) setText(control, *text);
    for (int f = 0; f < kZoneFieldCount; ++f) {
        const std::string* text = nullptr;
        if (f < kDSTDay) {
            text = f % 2 == 0 ? &t.lblBiasHour : &t.lblBiasMin;
        } else {
            const std::string* starts[] = {&t.lblStartDay, &t.lblStartMonth, &t.lblStartHour,
                                           &t.lblStartMin};
            text = starts[(f - kDSTDay) % 4];
        }
        setText(spinLabel[static_cast<std::size_t>(f)], *text);
    }
    for (int c = 0; c < kZoneColumnCount; ++c) {
        std::wstring caption = win32::widen(t.columns[static_cast<std::size_t>(c)]);
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT;
        col.pszText = caption.data();
        SendMessageW(lv, LVM_SETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
    }
    const std::pair<int, const std::string*> items[] = {
        {kIdUse, &t.actUse},
        {kIdWorld, &t.actWorld},
        {kIdWorldEarlier, &t.actWorldEarlier},
        {kIdWorldLater, &t.actWorldLater},
        {kIdWorldName, &t.actWorldName},
        {kIdAdd, &t.actAdd},
        {kIdDelete, &t.actRemoveSelected},
        {kIdUp, &t.actMoveUp},
        {kIdDown, &t.actMoveDown},
        {kIdMarkUser, &t.actMarkAsUser},
        {kIdMarkSystem, &t.actMarkAsSystem},
    };
    for (const auto& [id, text] : items) {
        std::wstring caption = win32::widen(*text);
        if (id == kIdUp) caption += L"\tCtrl+Up";
        if (id == kIdDown) caption += L"\tCtrl+Down";
        ModifyMenuW(m_popLv, static_cast<UINT>(id), MF_BYCOMMAND | MF_STRING,
                    static_cast<UINT_PTR>(id), caption.c_str());
    }
    setTitle(m_list.windowCaption());
}

void TFormTimeZones::InitAll() {
    const ZoneActionState a = m_list.enabledActions();
    const std::pair<int, bool> actions[] = {
        {kIdAdd, a.actAdd},
        {kIdDelete, a.actRemoveSelected},
        {kIdUp, a.actMoveUp},
        {kIdDown, a.actMoveDown},
        {kIdUpdate, a.actUpdateTZ},
        {kIdMarkUser, a.actMarkAsUser},
        {kIdMarkSystem, a.actMarkAsSystem},
        {kIdCopy, a.actCopyInfo},
        {kIdPaste, a.actPasteInfo},
        {kIdClear, a.actClear},
        {kIdOK, a.actOK},
        {kIdUse, a.actUse},
    };
    const WorldActionState w = worldActions(m_state.WorldLines, selectedZoneName(m_list));
    const std::pair<int, bool> world[] = {
        {kIdWorld, w.actWorld},
        {kIdWorldEarlier, w.actWorldEarlier},
        {kIdWorldLater, w.actWorldLater},
        {kIdWorldName, w.actWorldName},
    };
    CheckMenuItem(m_popLv, kIdWorld,
                  static_cast<UINT>(MF_BYCOMMAND | (w.onClock ? MF_CHECKED : MF_UNCHECKED)));
    std::vector<std::pair<int, bool>> all(std::begin(actions), std::end(actions));
    all.insert(all.end(), std::begin(world), std::end(world));
    for (const auto& [id, enabled] : all) {
        if (HWND b = GetDlgItem(hwnd(), id)) EnableWindow(b, enabled);
        EnableMenuItem(m_popLv, static_cast<UINT>(id),
                       static_cast<UINT>(MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED)));
    }
    EnableWindow(lblName, a.edName);
    EnableWindow(edName, a.edName);
    const auto enableGroup = [this](HWND group, int first, int count, bool enabled) {
        EnableWindow(group, enabled);
        for (int f = first; f < first + count; ++f) {
            const auto i = static_cast<std::size_t>(f);
            for (HWND c : {spinLabel[i], spinEdit[i], spin[i]}) EnableWindow(c, enabled);
        }
    };
    enableGroup(gbGMTBias, kGMTBiasHour, 2, a.biasGroups);
    enableGroup(gbDSTBias, kDSTBiasHour, 2, a.biasGroups);
    enableGroup(gbStdBias, kStdBiasHour, 2, a.biasGroups);
    enableGroup(gbDST, kDSTDay, 4, a.startGroups);
    enableGroup(gbStd, kStdDay, 4, a.startGroups);
    if (!m_list.hasSelection()) {
        setText(lblTZTime, "");
        setText(lblTZDate, "");
    }
}

void TFormTimeZones::TimerTZTimer() {
    KillTimer(hwnd(), kTimerLoad);
    LoadIniUserTZ(m_list, m_files, m_state.UserZonesFile);
    LoadIniTZ(m_list, m_files, m_state.SysZonesFile);
    render();
}

void TFormTimeZones::Timer1Timer() {
    // Settings files and the clock's Default change the lines while the window is open.
    if (m_state.WorldLines != m_shownLines) renderWorld();
    if (!m_list.hasSelection()) return;
    setText(lblTZTime, m_list.previewTimeText());
    setText(lblTZDate, m_list.previewDateText(m_state.DateFormat, m_main.services().names));
}

void TFormTimeZones::saveIfModified() {
    saveCatalogueOnClose(m_list, m_files, m_state);
}

bool TFormTimeZones::onClose() {
    // There is no closing without keeping the list's changes.
    saveCatalogueOnClose(m_list, m_files, m_state);
    KillTimer(hwnd(), kTimerPreview);
    return true;
}

int TFormTimeZones::defaultButton() const {
    // Enter works the button that has the focus, else the default one.
    const HWND focus = GetFocus();
    if (focus && GetParent(focus) == hwnd() && isPushButton(focus)) return GetDlgCtrlID(focus);
    return kIdUse;
}

LRESULT TFormTimeZones::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case DM_GETDEFID:
            return MAKELRESULT(defaultButton(), DC_HASDEFID);
        case WM_NOTIFY:
            return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == lv) {
                showPopup(lParam);
                return 0;
            }
            break;
        case WM_TIMER:
            if (wParam == kTimerLoad) TimerTZTimer();
            if (wParam == kTimerPreview) Timer1Timer();
            return 0;
        case WM_SHOWWINDOW:
            if (wParam) {
                if (m_state.WorldLines != m_shownLines) renderWorld();
                SetTimer(hwnd(), kTimerPreview, kTimerMs, nullptr);
            } else {
                KillTimer(hwnd(), kTimerPreview);
            }
            break;
        case WM_SIZE:
            layout();
            return 0;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {m_minSize.cx, m_minSize.cy};
            return 0;
        case WM_CTLCOLORSTATIC: {
            // Labels and group boxes on the window's face; the preview time in maroon.
            const HDC dc = reinterpret_cast<HDC>(wParam);
            if (reinterpret_cast<HWND>(lParam) == lblTZTime) SetTextColor(dc, RGB(128, 0, 0));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        default:
            break;
    }
    return DialogWindow::handle(message, wParam, lParam);
}

void TFormTimeZones::onCommand(int id, int code, HWND /*control*/) {
    if (id >= kIdSpinEdit && id < kIdSpinEdit + static_cast<int>(kZoneFieldCount)) {
        const auto f = static_cast<ZoneField>(id - kIdSpinEdit);
        const HWND e = spinEdit[static_cast<std::size_t>(f)];
        if (code == EN_CHANGE && !m_rendering) m_list.setField(f, parseSpinText(text(e)));
        // Typed text that is no number, or lies out of range, shows what the field holds.
        if (code == EN_KILLFOCUS) renderFields();
        return;
    }
    if (id == kIdName) {
        if (code == EN_CHANGE && !m_rendering) m_list.setName(text(edName));
        return;
    }
    // Buttons (BN_CLICKED), popup items (0) and keys (1).
    if (id >= kIdAdd && id <= kIdCloseKey && (code == BN_CLICKED || code == 1)) runAction(id);
}

void TFormTimeZones::runAction(int id) {
    switch (id) {
        case kIdAdd:
            actAddExecute();
            break;
        case kIdDelete:
            afterAction(&ZoneList::actRemoveSelected);
            break;
        case kIdUp:
            afterAction(&ZoneList::actMoveUp);
            break;
        case kIdDown:
            afterAction(&ZoneList::actMoveDown);
            break;
        case kIdUpdate:
            actUpdateTZExecute();
            break;
        case kIdMarkUser:
            afterAction(&ZoneList::actMarkAsUser);
            break;
        case kIdMarkSystem:
            afterAction(&ZoneList::actMarkAsSystem);
            break;
        case kIdCopy:
            afterAction(&ZoneList::actCopyInfo);
            break;
        case kIdPaste:
            afterAction(&ZoneList::actPasteInfo);
            break;
        case kIdClear:
            afterAction(&ZoneList::actClear);
            break;
        case kIdOK:
            actOKExecute();
            break;
        case kIdUse:
            actUseExecute();
            break;
        case kIdWorld:
            actWorldExecute();
            break;
        case kIdWorldEarlier:
            actWorldMoveExecute(-1);
            break;
        case kIdWorldLater:
            actWorldMoveExecute(1);
            break;
        case kIdWorldName:
            actWorldNameExecute();
            break;
        case kIdCancel:
        case kIdCloseKey:
            close();
            break;
        default:
            break;
    }
}

void TFormTimeZones::afterAction(void (ZoneList::*action)()) {
    (m_list.*action)();
    render();
}

void TFormTimeZones::actAddExecute() {
    const int row = m_list.actAdd();
    render();
    SendMessageW(lv, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void TFormTimeZones::actOKExecute() {
    const bool linesChanged = okFollowingWorldLines(m_list, m_state.WorldLines);
    render();
    if (linesChanged) m_main.worldLinesChanged();
}

void TFormTimeZones::renderWorld() {
    m_list.markWorldLines(m_state.WorldLines);
    m_shownLines = m_state.WorldLines;
    InvalidateRect(lv, nullptr, FALSE);
    InitAll();
}

void TFormTimeZones::worldEdited() {
    renderWorld();
    m_main.worldLinesChanged();
}

void TFormTimeZones::actWorldExecute() {
    const std::optional<ZoneSelection> zone = m_list.zoneToUse();
    if (!zone) return;
    switch (toggleWorldLine(m_state.WorldLines, *zone)) {
        case WorldToggle::Added:
        case WorldToggle::Removed:
            worldEdited();
            return;
        case WorldToggle::Full:
            m_prompts.tell(hwnd(), "Temura", m_list.texts().worldFull, PromptIcon::Warning,
                           m_state.English);
            return;
        case WorldToggle::Unusable:
            return;
    }
}

void TFormTimeZones::actWorldMoveExecute(int step) {
    const std::optional<std::string> name = selectedZoneName(m_list);
    if (name && moveZoneWorldLine(m_state.WorldLines, *name, step)) worldEdited();
}

void TFormTimeZones::actWorldNameExecute() {
    const std::optional<std::string> name = selectedZoneName(m_list);
    const std::optional<std::string> shown =
        name ? worldLineName(m_state.WorldLines, *name) : std::nullopt;
    if (!shown) return;
    // Opened on the name the line shows: accepting it unchanged changes nothing.
    const std::optional<std::string> typed =
        m_prompts.askText(hwnd(), "Temura", m_list.texts().worldNameLabel, *shown, m_state.English);
    if (typed && renameZoneWorldLine(m_state.WorldLines, *name, *typed)) worldEdited();
}

void TFormTimeZones::actUseExecute() {
    const std::optional<ZoneSelection> zone = m_list.zoneToUse();
    if (!zone) return;
    applyZone(m_state, m_main.services().clock, *zone);
    m_main.showZoneChanged();
}

void TFormTimeZones::actUpdateTZExecute() {
    const ZoneTexts& t = m_list.texts();
    if (!m_prompts.askYesNo(hwnd(), t.updateTitle, t.updateQuestion, m_state.English)) return;
    const int year = m_main.services().clock.localTime().year;
    const std::unique_ptr<ZoneTableSource> table = m_zoneTable ? m_zoneTable(year) : nullptr;
    const bool done = table && UpdateTZ(m_list, m_files, *table, m_state, year);
    const bool linesChanged = done && refreshWorldLines(m_state.WorldLines, m_list, year);
    render();
    if (linesChanged) m_main.worldLinesChanged();
    m_prompts.tell(hwnd(), t.updateTitle, done ? t.updateDone : t.updateFailed, PromptIcon::Warning,
                   m_state.English);
}

void TFormTimeZones::render() {
    renderRows();
    renderSelection();
    renderFields();
    InitAll();
    setTitle(m_list.windowCaption());
    Timer1Timer();
}

void TFormTimeZones::renderFields() {
    const FlagGuard guard(m_rendering);
    const ZoneFields& f = m_list.fields();
    if (text(edName) != f.name) setText(edName, f.name);
    for (std::size_t i = 0; i < spin.size(); ++i) {
        const std::string value = std::to_string(f.values[i]);
        if (text(spinEdit[i]) != value) setText(spinEdit[i], value);
    }
}

}  // namespace temura::wingui
