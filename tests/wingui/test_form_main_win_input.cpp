// The Windows clock window as a user meets it: shortcut keys through the system's input queue,
// settings kept in the real registry from one start to the next, a settings file on the
// command line.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "settings/settings_record.h"
#include "support/fake_shell.h"
#include "wingui/win_clock_window.h"

namespace temura::test {
namespace {

class WinInputTest : public ::testing::Test, public ClockWindow {
  protected:
    void TearDown() override {
        form.reset();
        pump(nullptr);
    }
    void focus() {
        SetForegroundWindow(form->hwnd());
        SetFocus(form->hwnd());
        pump(form.get(), 100);
    }
    void press(std::initializer_list<WORD> keys) {
        pressKeys(keys);
        pump(form.get(), 150);
    }
};

TEST_F(WinInputTest, ShortcutKeysRunTheirCommands) {
    make();
    focus();
    ASSERT_EQ(GetForegroundWindow(), form->hwnd());
    const struct {
        std::initializer_list<WORD> keys;
        std::function<bool(const ClockState&)> holds;
        const char* what;
    } cases[] = {
        {{VK_CONTROL, '2'}, [](const ClockState& s) { return s.Mode == kModeETime; }, "Ctrl+2"},
        {{VK_CONTROL, VK_SHIFT, 'M'},
         [](const ClockState& s) { return s.Mode == kModeWindows; },
         "Ctrl+Shift+M"},
        {{VK_CONTROL, '1'}, [](const ClockState& s) { return s.Mode == kModeTimer; }, "Ctrl+1"},
        {{VK_F7}, [](const ClockState& s) { return !s.DateVisible; }, "F7"},
        {{VK_CONTROL, VK_SHIFT, 'T'},
         [](const ClockState& s) { return s.TimeFormat == 2; },
         "Ctrl+Shift+T"},
        {{VK_CONTROL, VK_SHIFT, 'L'},
         [](const ClockState& s) { return !s.English; },
         "Ctrl+Shift+L"},
        {{VK_F10}, [](const ClockState& s) { return s.FullScreen; }, "F10"},
        {{VK_ESCAPE}, [](const ClockState& s) { return !s.FullScreen; }, "Esc in full screen"},
    };
    for (const auto& c : cases) {
        press(c.keys);
        EXPECT_TRUE(c.holds(state)) << c.what;
    }
    const int size = form->lblTime.font.spec().pointSize;
    press({VK_CONTROL, VK_OEM_PLUS});
    EXPECT_EQ(form->lblTime.font.spec().pointSize, size + 1);
    press({VK_CONTROL, VK_OEM_MINUS});
    EXPECT_EQ(form->lblTime.font.spec().pointSize, size);
}

TEST_F(WinInputTest, SettingsAreWrittenAtCloseAndReadAtTheNextStart) {
    Win32Registry real;
    FakeShell fakeShell;
    real.deleteKey(RegRoot::CurrentUser, kSettingsKey);
    registry = &real;
    shell = &fakeShell;
    make();
    command(Command::SetModeU);
    command(Command::FontSizePlus);
    command(Command::ShowDate);
    command(Command::ChangeLanguage);
    const int size = form->lblTime.font.spec().pointSize;
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    pump(form.get());
    EXPECT_EQ(real.readDWord(RegRoot::CurrentUser, kSettingsKey, "Mode"), 3u);

    state = ClockState{};
    make();
    EXPECT_EQ(state.Mode, kModeUtc);
    EXPECT_FALSE(state.DateVisible);
    EXPECT_FALSE(state.English);
    EXPECT_EQ(form->lblTime.font.spec().pointSize, size);
    form.reset();
    real.deleteKey(RegRoot::CurrentUser, kSettingsKey);
}

TEST_F(WinInputTest, ASettingsFileNamedOnTheCommandLineIsApplied) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string path = win32::narrow(temp) + "temura-wingui-test.temura";
    {
        std::ofstream f(std::filesystem::path(win32::widen(path)), std::ios::binary);
        f << "[Settings]\r\nMode=3\r\nTimerFontSize=30\r\nTimeFormat=0\r\nDateVisible=0\r\n";
    }
    Win32Files realFiles("C:\\nonexistent");
    files = &realFiles;
    make({path});
    form->loadStartupFile();
    EXPECT_EQ(state.Mode, kModeUtc);
    EXPECT_EQ(state.TimeFormat, 0);
    EXPECT_FALSE(state.DateVisible);
    EXPECT_EQ(form->lblTime.font.spec().pointSize, 30);
    EXPECT_EQ(timeText(), "22:30");
    form.reset();
    DeleteFileW(win32::widen(path).c_str());
}

}  // namespace
}  // namespace temura::test
