// The Windows time-zone window driven by messages and keys, on the clock window and an in-memory
// catalogue, and read back from its controls, the clock state and the catalogue files.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "support/fake_files.h"
#include "support/fake_zone_table.h"
#include "wingui/fake_win_prompts.h"
#include "wingui/form_time_zones.h"
#include "wingui/win_clock_window.h"
#include "zones/world_line.h"
#include "zones/zone_catalogue.h"

namespace temura::test {
namespace {

using wingui::TFormTimeZones;
using Values = std::array<int, kZoneFieldCount>;
using Strings = std::vector<std::string>;

// One user zone with texts the window must normalise: a date without leading zeros and one
// that does not parse.
const char kUserFile[] =
    "[TZ_001]\r\nDisplayName=My Zone\r\nBias=-330\r\nStdBias=0\r\nDSTBias=0\r\n"
    "StdDate=bad\r\nStdTime=00:00\r\nDSTDate=5-3\r\nDSTTime=00:00\r\nsys=0\r\n";

FakeZoneTable systemTable() {
    FakeZoneTable t;
    const RuleDate euStd{10, 0, 5, 3, 0}, euDst{3, 0, 5, 2, 0};
    const RuleDate usStd{11, 0, 1, 2, 0}, usDst{3, 0, 2, 2, 0};
    t.entries = {
        tableZone(std::nullopt, "(GMT+01:00) Europe/Warsaw", ruleBlock(-60, 0, -60, euStd, euDst)),
        tableZone(std::nullopt, "(GMT-05:00) America/New_York",
                  ruleBlock(300, 0, -60, usStd, usDst)),
        tableZone(std::nullopt, "(GMT) UTC", ruleBlock(0, 0, 0, {}, {}))};
    return t;
}

// Keys as a user presses them: SendInput sets the keyboard state accelerators read.
std::string text(HWND w) {
    wchar_t buffer[512] = {};
    GetWindowTextW(w, buffer, static_cast<int>(std::size(buffer)));
    return win32::narrow(buffer);
}

class WinTimeZonesTest : public ::testing::Test, public ClockWindow {
  protected:
    FakeFiles zoneFiles;
    FakeWinPrompts prompts;
    FakeZoneTable updateTable = systemTable();
    std::unique_ptr<TFormTimeZones> tz;

    void SetUp() override {
        make();
        SetInis(state, zoneFiles, "/opt/temura");
        ASSERT_EQ(CreateTZIni(zoneFiles, systemTable(), state.SysZonesFile, 2026), 3);
        zoneFiles.files[state.UserZonesFile] = kUserFile;
        zoneFiles.writeCount = 0;
        tz = std::make_unique<TFormTimeZones>(*form, zoneFiles, prompts, [this](int) {
            return std::make_unique<FakeZoneTable>(updateTable);
        });
    }
    void TearDown() override {
        tz.reset();
        form.reset();
        pump(nullptr);
    }

    void loadAndOpen() {
        tz->TimerTZTimer();
        tz->open();
        pump(form.get(), 50);
    }
    void click(HWND button) {
        SendMessageW(button, BM_CLICK, 0, 0);
        pump(form.get());
    }
    void press(HWND focus, std::initializer_list<WORD> keys) {
        SetForegroundWindow(tz->hwnd());
        SetFocus(focus);
        pump(form.get(), 50);
        pressKeys(keys);
        pump(form.get(), 150);
    }
    void type(HWND edit, const std::string& t) {
        SetWindowTextW(edit, win32::widen(t).c_str());
        pump(form.get());
    }
    // Through the list's own item states: the window hears of them as from a click.
    void select(const std::vector<int>& rows) {
        LVITEMW none{};
        none.stateMask = LVIS_SELECTED;
        SendMessageW(tz->lv, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&none));
        for (const int r : rows) {
            LVITEMW item{};
            item.stateMask = item.state = LVIS_SELECTED;
            SendMessageW(tz->lv, LVM_SETITEMSTATE, static_cast<WPARAM>(r),
                         reinterpret_cast<LPARAM>(&item));
        }
        pump(form.get());
    }
    int rowCount() const { return static_cast<int>(SendMessageW(tz->lv, LVM_GETITEMCOUNT, 0, 0)); }
    std::string cell(int row, int column) const {
        wchar_t buffer[256] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = static_cast<int>(std::size(buffer));
        SendMessageW(tz->lv, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        return win32::narrow(buffer);
    }
    Strings column(int c) const {
        Strings out;
        for (int r = 0; r < rowCount(); ++r) out.push_back(cell(r, c));
        return out;
    }
    std::string order() const {
        std::string out;
        for (const std::string& name : column(kColName)) out += name.empty() ? '-' : name[0];
        return out;
    }
    int iconOf(int row) const {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageW(tz->lv, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }
    // The font the window's custom drawing puts into a name cell.
    bool nameDrawnBold(int row) const {
        const HDC dc = CreateCompatibleDC(nullptr);
        NMLVCUSTOMDRAW cd{};
        cd.nmcd.hdr = {tz->lv, TFormTimeZones::kIdList, static_cast<UINT>(NM_CUSTOMDRAW)};
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
        cd.nmcd.hdc = dc;
        cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        cd.iSubItem = kColName;
        const LRESULT r = SendMessageW(tz->hwnd(), WM_NOTIFY, TFormTimeZones::kIdList,
                                       reinterpret_cast<LPARAM>(&cd));
        LOGFONTW lf{};
        GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
        DeleteDC(dc);
        EXPECT_EQ(r, CDRF_NEWFONT);
        return lf.lfWeight >= FW_BOLD;
    }
    std::vector<int> selectedRows() const {
        std::vector<int> out;
        for (int r = -1;;) {
            r = static_cast<int>(
                SendMessageW(tz->lv, LVM_GETNEXTITEM, static_cast<WPARAM>(r), LVNI_SELECTED));
            if (r < 0) return out;
            out.push_back(r);
        }
    }
    Values spins() const {
        Values v{};
        for (std::size_t i = 0; i < v.size(); ++i) v[i] = std::stoi(text(tz->spinEdit[i]));
        return v;
    }
    bool itemChecked(int id) const {
        return (GetMenuState(tz->popLv(), static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    void command(int id) {
        SendMessageW(tz->hwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0);
        pump(form.get());
    }
    std::string lineOrder() const {
        std::string out;
        for (const WorldLine& l : state.WorldLines) out += l.Name.front();
        return out;
    }
    bool itemEnabled(int id) const {
        return (GetMenuState(tz->popLv(), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) == 0;
    }
};

TEST_F(WinTimeZonesTest, FirstLoadShowsTheCatalogueHalfASecondAfterCreation) {
    EXPECT_EQ(rowCount(), 0);
    pump(form.get(), 700);
    ASSERT_EQ(rowCount(), 4);

    EXPECT_EQ(column(kColNumber), (Strings{"001", "002", "003", "004"}));
    EXPECT_EQ(column(kColName), (Strings{"My Zone", "Europe/Warsaw", "America/New_York", "UTC"}));
    EXPECT_EQ(column(kColGMTBias), (Strings{"+05:30", "+01:00", "-05:00", "00:00"}));
    EXPECT_EQ(column(kColDSTDate), (Strings{"5-3", "29-03", "08-03", "00-00"}));
    EXPECT_EQ(column(kColSys), (Strings{"No", "Yes", "Yes", "Yes"}));
    const int icons[] = {kIconUserAhead, kIconSystemAhead, kIconSystemBehind, kIconSystemZero};
    for (int r = 0; r < 4; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(iconOf(r), icons[r]);
        EXPECT_EQ(nameDrawnBold(r), r == 0);  // the user zone only
    }
    EXPECT_FALSE(tz->list().CatalogueModified());
    EXPECT_FALSE(tz->visible());  // made hidden; the clock's command shows it
}

TEST_F(WinTimeZonesTest, EveryCaptionInBothLanguages) {
    tz->TimerTZTimer();
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english);
        state.English = english;
        tz->SetLang();
        const ZoneTexts& t = zoneTexts(english);
        EXPECT_EQ(text(tz->hwnd()), t.DialogTitle);
        const std::pair<HWND, const std::string&> shown[] = {
            {tz->btnAdd, t.actAdd},
            {tz->btnDelete, t.actRemoveSelected},
            {tz->btnUp, t.actMoveUp},
            {tz->btnDown, t.actMoveDown},
            {tz->Button3, t.actUpdateTZ},
            {tz->Button1, t.actCopyInfo},
            {tz->Button2, t.actPasteInfo},
            {tz->Button4, t.actClear},
            {tz->Button7, t.actOK},
            {tz->btnUse, t.actUse},
            {tz->btnCancel, t.actCancel},
            {tz->btnWorld, t.actWorld},
            {tz->lblName, t.lblName},
            {tz->gbGMTBias, t.gbGMTBias},
            {tz->gbDSTBias, t.gbDSTBias},
            {tz->gbStdBias, t.gbStdBias},
            {tz->gbDST, t.gbDST},
            {tz->gbStd, t.gbStd},
            {tz->lblSelZoneTime, t.lblSelZoneTime},
        };
        for (const auto& [control, expected] : shown) EXPECT_EQ(text(control), expected);
        const std::string* spinTexts[] = {
            &t.lblBiasHour, &t.lblBiasMin,    &t.lblBiasHour,   &t.lblBiasMin,   &t.lblBiasHour,
            &t.lblBiasMin,  &t.lblStartDay,   &t.lblStartMonth, &t.lblStartHour, &t.lblStartMin,
            &t.lblStartDay, &t.lblStartMonth, &t.lblStartHour,  &t.lblStartMin};
        for (std::size_t f = 0; f < kZoneFieldCount; ++f) {
            EXPECT_EQ(text(tz->spinLabel[f]), *spinTexts[f]) << f;
        }
        for (int c = 0; c < kZoneColumnCount; ++c) {
            wchar_t buffer[64] = {};
            LVCOLUMNW col{};
            col.mask = LVCF_TEXT;
            col.pszText = buffer;
            col.cchTextMax = static_cast<int>(std::size(buffer));
            SendMessageW(tz->lv, LVM_GETCOLUMNW, static_cast<WPARAM>(c),
                         reinterpret_cast<LPARAM>(&col));
            EXPECT_EQ(win32::narrow(buffer), t.columns[static_cast<std::size_t>(c)]);
        }
        const Strings menu = {t.actUse,
                              "",
                              t.actWorld,
                              t.actWorldEarlier,
                              t.actWorldLater,
                              t.actWorldName,
                              "",
                              t.actAdd,
                              t.actRemoveSelected,
                              "",
                              t.actMoveUp + "\tCtrl+Up",
                              t.actMoveDown + "\tCtrl+Down",
                              "",
                              t.actMarkAsUser,
                              t.actMarkAsSystem};
        ASSERT_EQ(GetMenuItemCount(tz->popLv()), 15);
        for (UINT i = 0; i < menu.size(); ++i) EXPECT_EQ(menuString(tz->popLv(), i), menu[i]);
        // Kind texts keep the language they were written in.
        EXPECT_EQ(column(kColSys), (Strings{"No", "Yes", "Yes", "Yes"}));
    }
    state.English = false;
    tz->SetLang();
    click(tz->btnAdd);
    EXPECT_EQ(cell(4, kColSys), "Nie");
    select({1});
    tz->Timer1Timer();
    EXPECT_EQ(text(tz->lblTZTime), "23:30:15  (Czas standardowy)");
}

TEST_F(WinTimeZonesTest, SelectionFillsTheFieldsEnablesRowCommandsAndPreviews) {
    loadAndOpen();
    const HWND rowControls[] = {tz->btnUse,
                                tz->btnDelete,
                                tz->btnUp,
                                tz->Button7,
                                tz->edName,
                                tz->gbStdBias,
                                tz->spinEdit[kGMTBiasMin]};
    const auto expectRowCommands = [&](bool on) {
        for (HWND w : rowControls) EXPECT_EQ(IsWindowEnabled(w) != FALSE, on);
        for (int id : {TFormTimeZones::kIdUse, TFormTimeZones::kIdMarkSystem}) {
            EXPECT_EQ(itemEnabled(id), on);
        }
        EXPECT_TRUE(IsWindowEnabled(tz->spinEdit[kDSTDay]));  // the start groups always
        EXPECT_TRUE(IsWindowEnabled(tz->btnAdd));
    };
    expectRowCommands(false);
    EXPECT_FALSE(IsWindowEnabled(tz->Button2));  // paste: nothing copied yet

    select({2, 1});  // the fields follow the first selected row
    expectRowCommands(true);
    EXPECT_EQ(text(tz->edName), "Europe/Warsaw");
    EXPECT_EQ(text(tz->hwnd()), "Time Zones (Europe/Warsaw)");
    EXPECT_EQ(spins(), (Values{1, 0, 1, 0, 0, 0, 29, 3, 2, 0, 25, 10, 3, 0}));
    EXPECT_EQ(SendMessageW(tz->spin[kStdMonth], UDM_GETPOS32, 0, 0), 10);
    EXPECT_EQ(text(tz->lblTZTime), "23:30:15  (standard time)");

    select({2});  // New York, six hours behind Warsaw
    EXPECT_EQ(text(tz->lblTZTime), "17:30:15  (standard time)");
    EXPECT_EQ(text(tz->lblTZDate),
              DateText(clock.local, -360, state.DateFormat, englishLocaleNames()));

    select({});
    expectRowCommands(false);
    EXPECT_EQ(text(tz->edName), "");
    EXPECT_EQ(text(tz->hwnd()), "Time Zones");
    EXPECT_EQ(text(tz->lblTZTime), "");
}

TEST_F(WinTimeZonesTest, OkNormalisesAnUnchangedRowAndMarksAChangedOne) {
    loadAndOpen();
    select({0});
    click(tz->Button7);
    EXPECT_EQ(cell(0, kColStdDate), "00-00");
    EXPECT_EQ(cell(0, kColDSTDate), "05-03");
    EXPECT_EQ(iconOf(0), kIconUserAhead);
    EXPECT_FALSE(tz->list().CatalogueModified());

    type(tz->spinEdit[kGMTBiasHour], "-5");
    type(tz->spinEdit[kGMTBiasMin], "30");
    type(tz->spinEdit[kDSTDay], "99");  // held to the field's range
    type(tz->edName, "Renamed");
    click(tz->Button7);
    EXPECT_EQ(cell(0, kColGMTBias), "-04:30");
    EXPECT_EQ(cell(0, kColDSTDate), "31-03");
    EXPECT_EQ(cell(0, kColName), "Renamed");
    EXPECT_EQ(iconOf(0), kIconChanged);
    EXPECT_TRUE(tz->list().CatalogueModified());
}

TEST_F(WinTimeZonesTest, RowCommandsReorderAndMarkTheCatalogue) {
    loadAndOpen();
    const auto key = [this](WORD k) { return [this, k] { press(tz->lv, {VK_CONTROL, k}); }; };
    const auto button = [this](HWND TFormTimeZones::*b) { return [this, b] { click(*tz.*b); }; };
    const auto popup = [this](int position) {
        return [this, position] {
            SendMessageW(tz->hwnd(), WM_COMMAND, GetMenuItemID(tz->popLv(), position), 0);
        };
    };
    // The rows by the first letters of their names (My Zone, Europe/Warsaw, America/New_York,
    // UTC; "-" for an empty name) and of their kinds.
    const struct {
        const char* what;
        std::vector<int> select;
        std::function<void()> command;
        const char* order;
        const char* kinds;
        std::vector<int> selectedAfter;
        bool modified;
    } cases[] = {
        {"up on 001", {0}, key(VK_UP), "MEAU", "NYYY", {0}, false},
        {"down on the last row", {3}, key(VK_DOWN), "MEAU", "NYYY", {3}, true},
        {"up on 003", {2}, key(VK_UP), "MAEU", "NYYY", {1}, true},
        {"down button", {0}, button(&TFormTimeZones::btnDown), "EMAU", "YNYY", {1}, true},
        {"delete two", {1, 2}, button(&TFormTimeZones::btnDelete), "MU", "NY", {}, true},
        {"mark two as user", {1, 3}, popup(13), "MEAU", "NNYN", {1, 3}, true},
        {"mark as system", {0}, popup(14), "MEAU", "YYYY", {0}, true},
        {"add", {1}, button(&TFormTimeZones::btnAdd), "MEAU-", "NYYYN", {4}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tz->TimerTZTimer();
        tz->list().setCatalogueModified(false);
        select(c.select);
        c.command();
        EXPECT_EQ(order(), c.order);
        std::string kinds;
        for (const std::string& k : column(kColSys)) kinds += k[0];
        EXPECT_EQ(kinds, c.kinds);
        EXPECT_EQ(selectedRows(), c.selectedAfter);
        EXPECT_EQ(tz->list().CatalogueModified(), c.modified);
        char last[8];
        std::snprintf(last, sizeof last, "%03d", rowCount());
        EXPECT_EQ(column(kColNumber).back(), last);
    }
    // The added row: an empty user zone, ready to edit, bold and marked changed.
    EXPECT_TRUE(nameDrawnBold(4));
    EXPECT_EQ(iconOf(4), kIconChanged);
    EXPECT_EQ(iconOf(2), kIconSystemBehind);
    EXPECT_TRUE(IsWindowEnabled(tz->edName));
}

TEST_F(WinTimeZonesTest, CopyPasteAndClearWorkOnTheFieldsOnly) {
    loadAndOpen();
    type(tz->spinEdit[kDSTDay], "31");  // the start groups take input without a row
    type(tz->spinEdit[kDSTMonth], "3");
    click(tz->Button1);
    EXPECT_TRUE(IsWindowEnabled(tz->Button2));
    click(tz->Button4);
    EXPECT_EQ(spins(), Values{});

    select({1});
    click(tz->Button2);
    EXPECT_EQ(spins(), (Values{0, 0, 0, 0, 0, 0, 31, 3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(cell(1, kColDSTDate), "29-03");  // until OK
    click(tz->Button7);
    EXPECT_EQ(cell(1, kColDSTDate), "31-03");
    EXPECT_EQ(cell(1, kColGMTBias), "00:00");
}

TEST_F(WinTimeZonesTest, UseTakesTheSelectedRowIntoUseOnTheClockEveryWay) {
    loadAndOpen();
    int zoneChanges = 0;
    form->onZoneChanged([&zoneChanges] { ++zoneChanges; });
    const std::function<void()> ways[] = {
        [this] { click(tz->btnUse); },
        [this] { press(tz->lv, {VK_RETURN}); },
        [this] {
            RECT r{};
            r.left = LVIR_BOUNDS;
            SendMessageW(tz->lv, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
            const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            SendMessageW(tz->lv, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            SendMessageW(tz->lv, WM_LBUTTONUP, 0, at);
            pump(form.get());
        },
    };
    for (std::size_t i = 0; i < std::size(ways); ++i) {
        SCOPED_TRACE(i);
        state.UseTZ = false;
        state.TZName.clear();
        select({2});
        type(tz->edName, "not applied before OK");
        const int before = zoneChanges;
        ways[i]();
        EXPECT_TRUE(state.UseTZ);
        EXPECT_EQ(state.TZName, "America/New_York");
        EXPECT_EQ(state.ZoneShift, -360);    // New York in winter, seen from Warsaw
        EXPECT_EQ(zoneChanges - before, 1);  // the clock showed the change
        EXPECT_TRUE(tz->visible());
    }
    // Enter on a button that has the focus works that button.
    state.UseTZ = false;
    press(tz->btnAdd, {VK_RETURN});
    EXPECT_EQ(rowCount(), 5);
    EXPECT_FALSE(state.UseTZ);
}

TEST_F(WinTimeZonesTest, ClosingSavesChangesOnlyAndJustHides) {
    const std::function<void()> ways[] = {
        [this] { click(tz->btnCancel); },
        [this] { press(tz->lv, {VK_ESCAPE}); },
        [this] {
            press(tz->lv, {VK_CONTROL, VK_SHIFT, 'Z'});
        },
        [this] {
            SendMessageW(tz->hwnd(), WM_CLOSE, 0, 0);
            pump(form.get());
        },
    };
    tz->TimerTZTimer();
    for (std::size_t i = 0; i < std::size(ways); ++i) {
        SCOPED_TRACE(i);
        tz->open();
        pump(form.get(), 50);
        // A system zone made a user zone changes both files.
        const bool change = i % 2 == 0;
        if (change) {
            select({static_cast<int>(i / 2) + 1});
            SendMessageW(tz->hwnd(), WM_COMMAND, TFormTimeZones::kIdMarkUser, 0);
        }
        const int writes = zoneFiles.writeCount;
        ways[i]();
        EXPECT_FALSE(tz->visible());
        EXPECT_FALSE(KillTimer(tz->hwnd(), TFormTimeZones::kTimerPreview));  // preview stopped
        EXPECT_EQ(zoneFiles.writeCount - writes, change ? 2 : 0);
    }
    EXPECT_NE(zoneFiles.files[state.UserZonesFile].find("=America/New_York"), std::string::npos);
    EXPECT_EQ(selectedRows(), std::vector<int>{2});  // the list stays for the next showing

    // At program end, unsaved changes are kept too.
    SendMessageW(tz->hwnd(), WM_COMMAND, TFormTimeZones::kIdMarkSystem, 0);
    tz->saveIfModified();
    EXPECT_EQ(zoneFiles.files[state.UserZonesFile].find("=America/New_York"), std::string::npos);
}

TEST_F(WinTimeZonesTest, TheListTakesWhatTheWindowGainsDownToTheMinimumSize) {
    const auto rectOf = [this](HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, tz->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT window;
    GetWindowRect(tz->hwnd(), &window);
    const SIZE start{window.right - window.left, window.bottom - window.top};
    const RECT list = rectOf(tz->lv), use = rectOf(tz->btnUse), name = rectOf(tz->edName);
    const auto dip = [this](int v) {
        return MulDiv(v, static_cast<int>(GetDpiForWindow(tz->hwnd())), 96);
    };
    // Wider and taller; then smaller than the minimum: its width at creation, height 382.
    const struct {
        int grow;
        int width;  // what the window gains
        int height;
    } cases[] = {{100, 100, 100}, {-500, 0, 382 - 488}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grow);
        SetWindowPos(tz->hwnd(), nullptr, 0, 0, start.cx + dip(c.grow), start.cy + dip(c.grow),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetWindowRect(tz->hwnd(), &window);
        EXPECT_EQ(window.right - window.left - start.cx, dip(c.width));
        const int gained = window.bottom - window.top - start.cy;
        EXPECT_EQ(gained, dip(c.height));
        EXPECT_EQ(rectOf(tz->lv).bottom - list.bottom, gained);
        EXPECT_EQ(rectOf(tz->btnUse).top - use.top, gained);
        EXPECT_EQ(rectOf(tz->btnUse).right - use.right, dip(c.width));
        EXPECT_EQ(rectOf(tz->edName).right - name.right, dip(c.width));
    }
}

TEST_F(WinTimeZonesTest, UpdateAsksThenRebuildsOrReportsFailure) {
    loadAndOpen();
    const auto before = zoneFiles.files;
    const struct {
        const char* what;
        bool answer;
        std::size_t tableZones;
        const char* message;  // none when empty
        int rows;
    } cases[] = {
        {"no", false, 1, "", 4},
        {"yes, no zone found", true, 0, "Update failed.", 4},
        {"yes", true, 1, "Done.", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts = FakeWinPrompts{};
        prompts.yesNoAnswers = {c.answer};
        updateTable = systemTable();
        updateTable.entries.resize(c.tableZones);
        click(tz->Button3);
        ASSERT_EQ(prompts.questions.size(), 1u);
        EXPECT_EQ(prompts.questions[0].title, "Updating time zones");
        EXPECT_EQ(
            prompts.questions[0].text.rfind(
                "All changes in system time zones (column Sys = Yes) will be lost.\r\n\r\n", 0),
            0u);
        EXPECT_TRUE(prompts.questions[0].english);
        EXPECT_EQ(rowCount(), c.rows);
        if (*c.message == '\0') {
            EXPECT_TRUE(prompts.messages.empty());
            EXPECT_EQ(zoneFiles.files, before);
            continue;
        }
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].title, "Updating time zones");
        EXPECT_EQ(prompts.messages[0].text, c.message);
        EXPECT_EQ(prompts.messageIcons[0], wingui::PromptIcon::Warning);
        // A failed update keeps the old system file.
        EXPECT_EQ(zoneFiles.files[state.SysZonesFile] == before.at(state.SysZonesFile),
                  c.rows == 4);
    }
    EXPECT_EQ(column(kColName), (Strings{"My Zone", "Europe/Warsaw"}));
}

// Rows: 0 My Zone, 1 Europe/Warsaw, 2 America/New_York, 3 UTC.
TEST_F(WinTimeZonesTest, OnTheClockPutsLinesOnTheClockInOrderAndRefusesANinth) {
    loadAndOpen();
    const int bare = form->clientSize().cy;
    select({});
    EXPECT_FALSE(IsWindowEnabled(tz->btnWorld));
    for (const int row : {2, 1, 3}) {
        select({row});
        EXPECT_FALSE(itemChecked(TFormTimeZones::kIdWorld));
        click(tz->btnWorld);
        EXPECT_TRUE(itemChecked(TFormTimeZones::kIdWorld));
    }
    EXPECT_EQ(lineOrder(), "AEU");
    EXPECT_EQ(column(kColClock), (Strings{"", "2", "1", "3"}));
    // 23:30:15 in Warsaw's winter.
    std::vector<std::string> shown;
    for (const std::wstring& l : form->worldLines()) shown.push_back(win32::narrow(l));
    EXPECT_EQ(shown, (Strings{"17:30:15  New York", "23:30:15  Warsaw", "22:30:15  UTC"}));
    EXPECT_GT(form->clientSize().cy, bare);

    select({2});
    command(TFormTimeZones::kIdWorld);  // from the popup: off again
    EXPECT_EQ(column(kColClock), (Strings{"", "1", "", "2"}));
    EXPECT_EQ(form->worldLines().size(), 2u);

    // Lines put in elsewhere (a settings file) show at the window's next tick.
    while (state.WorldLines.size() < kMaxWorldLines) {
        state.WorldLines.push_back(*parseWorldLine("0;0;0;00-00-0000;00:00;00-00-0000;00:00;X"));
    }
    tz->Timer1Timer();
    select({0});
    click(tz->btnWorld);
    EXPECT_EQ(state.WorldLines.size(), kMaxWorldLines);
    EXPECT_FALSE(itemChecked(TFormTimeZones::kIdWorld));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].title, "Temura");
    EXPECT_EQ(prompts.messages[0].text, "At most 8 world lines.");
    EXPECT_EQ(prompts.messageIcons[0], wingui::PromptIcon::Warning);
}

TEST_F(WinTimeZonesTest, EarlierLaterAndNameWorkOnTheSelectedZonesLine) {
    loadAndOpen();
    for (const int row : {2, 1, 3}) {
        select({row});
        command(TFormTimeZones::kIdWorld);
    }
    select({3});
    EXPECT_FALSE(itemEnabled(TFormTimeZones::kIdWorldLater));
    command(TFormTimeZones::kIdWorldEarlier);
    EXPECT_EQ(lineOrder(), "AUE");
    select({2});
    EXPECT_FALSE(itemEnabled(TFormTimeZones::kIdWorldEarlier));
    command(TFormTimeZones::kIdWorldLater);
    EXPECT_EQ(lineOrder(), "UAE");
    EXPECT_EQ(column(kColClock), (Strings{"", "3", "2", "1"}));

    state.English = false;
    tz->SetLang();
    prompts.textAnswers = {std::string(), std::nullopt, std::string("Mama")};
    for (int i = 0; i < 3; ++i) command(TFormTimeZones::kIdWorldName);  // blank, cancelled, a name
    ASSERT_EQ(prompts.textQuestions.size(), 3u);
    EXPECT_EQ(prompts.textQuestions[0].title, "Temura");
    EXPECT_EQ(prompts.textQuestions[0].text, "Nazwa na zegarze :");
    EXPECT_FALSE(prompts.textQuestions[0].english);
    EXPECT_EQ(prompts.textInitials, Strings(3, "America/New_York"));
    EXPECT_EQ(state.WorldLines[1].Name, "Mama");
    EXPECT_EQ(win32::narrow(form->worldLines()[1]), "17:30:15  Mama");
    command(TFormTimeZones::kIdWorldName);  // cancelled: the box offered the line's own name
    EXPECT_EQ(prompts.textInitials.back(), "Mama");
    // A renamed line is still the zone's: On the clock takes it off.
    EXPECT_TRUE(itemChecked(TFormTimeZones::kIdWorld));
    command(TFormTimeZones::kIdWorld);
    EXPECT_EQ(lineOrder(), "UE");
}

TEST_F(WinTimeZonesTest, OkAndUpdateRefreshTheLinesOfTheirZones) {
    loadAndOpen();
    select({2});
    command(TFormTimeZones::kIdWorld);
    type(tz->spinEdit[kGMTBiasHour], "-6");
    click(tz->Button7);
    EXPECT_EQ(state.WorldLines[0].Bias, 360);
    EXPECT_EQ(win32::narrow(form->worldLines()[0]), "16:30:15  New York");

    prompts.yesNoAnswers = {true};
    click(tz->Button3);
    EXPECT_EQ(state.WorldLines[0].Bias, 300);  // the rebuilt catalogue's figures
    EXPECT_EQ(win32::narrow(form->worldLines()[0]), "17:30:15  New York");
}

}  // namespace
}  // namespace temura::test
