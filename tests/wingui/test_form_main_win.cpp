// The Windows clock window driven by its commands (WM_COMMAND) and read back from its model,
// its real menus, its tooltip and its tray tip.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "ui/lang_rules.h"
#include "wingui/form_full_screen.h"
#include "wingui/shortcut_keys.h"
#include "wingui/win_clock_window.h"

namespace temura::test {
namespace {

class WinFormTest : public ::testing::Test, public ClockWindow {
  protected:
    void SetUp() override { make(); }
    void TearDown() override {
        form.reset();
        pump(nullptr);
    }

    struct Entry {
        UINT type;  // MFT_SEPARATOR, MFT_OWNERDRAW or MFT_STRING
        bool submenu;
        std::string text;
    };
    static std::vector<Entry> entriesOf(HMENU menu) {
        std::vector<Entry> out;
        const int n = GetMenuItemCount(menu);
        for (int i = 0; i < n; ++i) {
            MENUITEMINFOW mi{};
            mi.cbSize = sizeof mi;
            mi.fMask = MIIM_FTYPE | MIIM_SUBMENU;
            GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi);
            const UINT type = mi.fType & static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW);
            out.push_back({type, mi.hSubMenu != nullptr, menuString(menu, static_cast<UINT>(i))});
        }
        return out;
    }
    static HMENU submenuAt(HMENU menu, UINT position) {
        return GetSubMenu(menu, static_cast<int>(position));
    }

    // Every caption of `menu`, submenus too, is the text the table names in `texts`.
    static void expectCaptions(HMENU menu, const std::vector<MenuItem>& items,
                               const MainTexts& texts) {
        ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size()));
        for (UINT i = 0; i < items.size(); ++i) {
            const MenuItem& item = items[i];
            if (!item.caption) continue;
            std::string expected = texts.*item.caption;
            if (*item.shortcut) expected += std::string("\t") + item.shortcut;
            EXPECT_EQ(menuString(menu, i), expected);
            if (item.kind == ItemKind::Submenu) {
                expectCaptions(submenuAt(menu, i), item.children, texts);
            }
        }
    }

    std::string hint() {
        wchar_t buffer[2048] = {};
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.hwnd = form->hwnd();
        ti.uId = 1;
        ti.lpszText = buffer;
        SendMessageW(form->tooltip(), TTM_GETTEXTW, std::size(buffer),
                     reinterpret_cast<LPARAM>(&ti));
        return win32::narrow(buffer);
    }
};

TEST_F(WinFormTest, EachModeShowsItsReadingAfterATick) {
    const struct {
        Command command;
        const char* text;
        const char* letter;
    } cases[] = {
        {Command::SetModeE, "@979.3", "E"},   {Command::SetModeW, "100:01:01", "W"},
        {Command::SetModeU, "22:30:15", "U"}, {Command::SetModeS, "00:00:00.0", "S"},
        {Command::SetModeT, "23:30:15", "T"},
    };
    for (const auto& c : cases) {
        command(c.command);
        EXPECT_EQ(timeText(), c.text);
        EXPECT_EQ(win32::narrow(form->lblMode.text), c.letter);
    }
}

TEST_F(WinFormTest, FormatsCycle) {
    const struct {
        Command before;
        Command step;
        const char* text;
    } cases[] = {
        {Command::SetModeT, Command::ChangeTimeFormat, "23:30:15.4"},
        {Command::SetModeT, Command::ChangeTimeFormat, "23:30"},
        {Command::SetModeT, Command::ChangeTimeFormat, "23:30:15"},
        {Command::SetModeE, Command::ChangeETimeFormat, "@979.34"},
        {Command::SetModeE, Command::ChangeETimeFormat, "@979"},
    };
    for (const auto& c : cases) {
        command(c.before);
        command(c.step);
        EXPECT_EQ(timeText(), c.text);
    }
    command(Command::SetModeT);
    const std::wstring date = form->lblDate.text;
    command(Command::ChangeDateFormat);
    EXPECT_EQ(state.DateFormat, 3);
    EXPECT_NE(form->lblDate.text, date);  // at once, not at the next slow tick
}

TEST_F(WinFormTest, StopwatchStartsPausesResumesAndStops) {
    command(Command::SetModeS);
    command(Command::Start);
    clock.tick += 5'370;
    EXPECT_EQ(timeText(), "00:00:05.3");
    command(Command::Pause);
    EXPECT_EQ(form->applicationTitle(), "Paused");
    clock.tick += 10'000;
    EXPECT_EQ(timeText(), "00:00:05.3");
    command(Command::Start);  // resumes from the frozen reading
    EXPECT_EQ(form->applicationTitle(), "Temura");
    clock.tick += 1'000;
    EXPECT_EQ(timeText(), "00:00:06.3");
    command(Command::Stop);
    clock.tick += 1'000;
    EXPECT_EQ(timeText(), "00:00:06.3");
    command(Command::Stop);  // a second Stop clears
    EXPECT_EQ(timeText(), "00:00:00.0");
}

TEST_F(WinFormTest, PopupMenuHoldsEveryItemInOrder) {
    const std::vector<Entry> expected = {
        {MFT_STRING, true, "Mode"},
        {MFT_OWNERDRAW, false, "S T O P W A T C H"},
        {MFT_STRING, false, "Start\\Resume\tF2"},
        {MFT_STRING, false, "Pause\tF3"},
        {MFT_STRING, false, "Stop\tF4"},
        {MFT_STRING, false, "Show stoper buttons\tF5"},
        {MFT_STRING, true, "Step"},
        {MFT_OWNERDRAW, false, "S E T T I N G S"},
        {MFT_STRING, false, "Show mode symbol\tF6"},
        {MFT_STRING, false, "Show date\tF7"},
        {MFT_STRING, false, "Show time zone name\tF8"},
        {MFT_STRING, false, "Tick-Tock-Tick-Tock\tF9"},
        {MFT_STRING, false, "Full screen\tF10"},
        {MFT_STRING, false, "World lines\tF11"},
        {MFT_STRING, true, "Timer\\Stopwatch font"},
        {MFT_SEPARATOR, false, ""},
        {MFT_STRING, true, "Time zone"},
        {MFT_SEPARATOR, false, ""},
        {MFT_STRING, false, "Load settings...\tCtrl+O"},
        {MFT_STRING, false, "Save settings...\tCtrl+S"},
        {MFT_SEPARATOR, false, ""},
        {MFT_STRING, false, "Options...\tF12"},
        {MFT_OWNERDRAW, false, "I N F O"},
        {MFT_STRING, false, "Help...\tF1"},
        {MFT_STRING, false, "About...\tShift+F1"},
        {MFT_SEPARATOR, false, ""},
        {MFT_STRING, false, "Minimize to tray\tCtrl+M"},
        {MFT_OWNERDRAW, false, "Exit           Esc"},
    };
    const std::vector<Entry> actual = entriesOf(form->popMain());
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].type, expected[i].type);
        EXPECT_EQ(actual[i].submenu, expected[i].submenu);
        EXPECT_EQ(actual[i].text, expected[i].text);
    }
    const struct {
        UINT position;
        std::vector<std::string> items;
    } submenus[] = {
        {0,
         {"Timer\tCtrl+1", "BMT (e-Time)\tCtrl+2", "Windows\tCtrl+3",
          "Universal time - UTC\tCtrl+4", "", "Stopwatch\tCtrl+5"}},
        {6,
         {"+ 1 sec\tCtrl+Right", "- 1 sec\tCtrl+Left", "", "+ 1 min\tCtrl+Shift+Right",
          "- 1 min\tCtrl+Shift+Left"}},
        {14,
         {"Font size + 1   Ctrl+ +", "Font size - 1   Ctrl+ -", "", "Bold\tCtrl+B",
          "Italic\tCtrl+I"}},
    };
    for (const auto& s : submenus) {
        SCOPED_TRACE(s.position);
        const std::vector<Entry> items = entriesOf(submenuAt(form->popMain(), s.position));
        ASSERT_EQ(items.size(), s.items.size());
        for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(items[i].text, s.items[i]);
    }
    // Every shortcut the menus and the window name is one the keyboard can give.
    for (const Shortcut& s : mainShortcuts()) EXPECT_TRUE(wingui::acceleratorFor(s.keys)) << s.keys;
}

TEST_F(WinFormTest, ChecksAndEnablingFollowTheStateAsTheMenuOpens) {
    const UINT kStep = 6, kShowTZName = 10, kTimeZone = 16, kOptions = 21, kAbout = 24;
    const auto enabled = [this](UINT position) {
        form->popMainPopup();
        return !(menuState(form->popMain(), position) & MFS_DISABLED);
    };
    EXPECT_FALSE(enabled(kStep));
    EXPECT_TRUE(enabled(kShowTZName));
    EXPECT_TRUE(enabled(kTimeZone));
    EXPECT_FALSE(enabled(kOptions));  // its window comes with the dialogs
    EXPECT_FALSE(enabled(kAbout));
    command(Command::SetModeE);
    EXPECT_FALSE(enabled(kShowTZName));
    EXPECT_FALSE(enabled(kTimeZone));
    command(Command::SetModeS);
    command(Command::Start);
    EXPECT_TRUE(enabled(kStep));
    command(Command::Pause);
    EXPECT_FALSE(enabled(kStep));

    const UINT kShowDate = 9, kFullScreen = 12;
    EXPECT_TRUE(menuState(form->popMain(), kShowDate) & MFS_CHECKED);
    command(Command::ShowDate);
    form->popMainPopup();
    EXPECT_FALSE(menuState(form->popMain(), kShowDate) & MFS_CHECKED);
    EXPECT_FALSE(menuState(form->popMain(), kFullScreen) & MFS_CHECKED);
    const HMENU modes = submenuAt(form->popMain(), 0);
    EXPECT_TRUE(menuState(modes, 5) & MFS_CHECKED);  // Stopwatch
    EXPECT_FALSE(menuState(modes, 0) & MFS_CHECKED);
}

TEST_F(WinFormTest, LanguageSwitchTurnsEveryTextAndBack) {
    const auto check = [this](bool english) {
        ClockState s = state;
        s.English = english;
        const MainTexts t = mainTexts(s);
        expectCaptions(form->popMain(), popMainItems(), t);
        const std::vector<std::string> tray = {
            t.popCtiRestore,   "", t.popCtiTimer, t.popCtiBMT, t.popCtiWindows, t.popCtiUTC,
            t.popCtiStopwatch, "", t.popCtiExit};
        ASSERT_EQ(GetMenuItemCount(form->popCti()), static_cast<int>(tray.size()));
        for (UINT i = 0; i < tray.size(); ++i) EXPECT_EQ(menuString(form->popCti(), i), tray[i]);
        EXPECT_EQ(hint(), composeHint(s));
        EXPECT_EQ(win32::narrow(form->lblMode.text), english ? "T" : "Z");
    };
    check(true);
    EXPECT_EQ(hint(), "Mode : Timer\r\nCurrent system time\r\nStandard time");
    command(Command::ChangeLanguage);
    check(false);
    EXPECT_EQ(hint(), "Tryb : Zegar\r\nBieżący czas systemowy\r\nCzas standardowy (zimowy)");
    command(Command::ChangeLanguage);
    check(true);
}

TEST_F(WinFormTest, FullScreenInAndOutAndEscapeLeavesItFirst) {
    RECT before;
    GetWindowRect(form->hwnd(), &before);
    command(Command::FullScreen);
    EXPECT_TRUE(state.FullScreen);
    EXPECT_TRUE(form->fullScreenWindow()->visible());
    RECT centred;
    GetWindowRect(form->hwnd(), &centred);
    EXPECT_EQ(centred.left, GetSystemMetrics(SM_CXSCREEN) / 2 - (before.right - before.left) / 2);
    command(Command::FullScreen);
    EXPECT_FALSE(form->fullScreenWindow()->visible());
    RECT after;
    GetWindowRect(form->hwnd(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);

    command(Command::FullScreen);
    command(Command::Close);  // Esc leaves full screen, the clock goes on
    EXPECT_FALSE(state.FullScreen);
    EXPECT_TRUE(IsWindow(form->hwnd()));
    command(Command::Close);  // and a second one ends it
    EXPECT_EQ(form->hwnd(), nullptr);
}

TEST_F(WinFormTest, MinimiseToTrayAndRestore) {
    command(Command::Minimize);
    EXPECT_TRUE(state.InTray);
    EXPECT_FALSE(IsWindowVisible(form->hwnd()));
    EXPECT_TRUE(form->trayIconShown());
    command(Command::SetModeU);  // the tray menu's check follows a change made meanwhile
    form->popCtiPopup();
    EXPECT_TRUE(menuState(form->popCti(), 5) & MFS_CHECKED);
    EXPECT_FALSE(menuState(form->popCti(), 2) & MFS_CHECKED);
    SendMessageW(form->hwnd(), wingui::TrayIcon::kMessage, 1, WM_LBUTTONUP);  // a click on it
    pump(form.get());
    EXPECT_FALSE(state.InTray);
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));
    EXPECT_FALSE(form->trayIconShown());
}

TEST_F(WinFormTest, ClicksOnTheLettersTheTimeAndTheButtons) {
    const auto send = [this](UINT message, int x, int y) {
        SendMessageW(form->hwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     MAKELPARAM(x, y));
        pump(form.get());
    };
    const RECT letter = form->lblMode.rect;
    send(WM_LBUTTONDOWN, letter.left + 1, letter.top + 1);
    send(WM_LBUTTONUP, letter.left + 1, letter.top + 1);
    EXPECT_EQ(state.Mode, kModeETime);  // a click on the letter cycles the mode
    send(WM_LBUTTONDBLCLK, letter.left + 1, letter.top + 1);
    EXPECT_EQ(desktop.dateTimeSettingsRequests, 0);
    const RECT time = form->lblTime.rect;
    send(WM_LBUTTONDBLCLK, (time.left + time.right) / 2, (time.top + time.bottom) / 2);
    EXPECT_EQ(desktop.dateTimeSettingsRequests, 1);  // the system's date and time settings

    command(Command::SetModeS);
    command(Command::ShowButtons);
    const SIZE size = form->clientSize();
    send(WM_LBUTTONDOWN, 3, size.cy - 4);  // the start button, bottom left
    send(WM_LBUTTONUP, 3, size.cy - 4);
    EXPECT_FALSE(state.StopwatchStopped);
}

TEST_F(WinFormTest, AMoveEndingNearAnEdgeSnapsToIt) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromWindow(form->hwnd(), MONITOR_DEFAULTTOPRIMARY), &mi);
    const struct {
        int dx;
        int expectedLeft;
    } cases[] = {{4, mi.rcWork.left}, {6, mi.rcWork.left + 6}};
    for (const auto& c : cases) {
        SetWindowPos(form->hwnd(), nullptr, mi.rcWork.left + c.dx, 200, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(form->hwnd(), WM_EXITSIZEMOVE, 0, 0);
        RECT r;
        GetWindowRect(form->hwnd(), &r);
        EXPECT_EQ(r.left, c.expectedLeft) << c.dx;
    }
}

TEST_F(WinFormTest, TrayTipFollowsTheTimeLine) {
    form->TimerTimer();
    EXPECT_EQ(win32::narrow(form->trayTip()), "Temura\r\n23:30:15");
}

}  // namespace
}  // namespace temura::test
