#include "ui/menu_rules.h"

#include <gtest/gtest.h>

#include "storage/user_folder.h"
#include "support/fake_files.h"

namespace temura {
namespace {

TEST(MenuRules, ChecksAndEnablingFollowTheState) {
    ClockState timer;
    timer.DateVisible = true;
    timer.TZVisible = true;
    ClockState eTime = timer;
    eTime.Mode = kModeETime;
    ClockState running;
    running.Mode = kModeStopwatch;
    running.StopwatchStopped = false;
    running.StopwatchPaused = false;
    ClockState paused = running;
    paused.StopwatchPaused = true;
    ClockState worldHidden = timer;
    worldHidden.WorldVisible = false;
    const MenuContext none;
    const MenuContext withButtons{true, true};
    const struct {
        Command command;
        const ClockState& state;
        const MenuContext& context;
        bool enabled;
        bool checked;
    } cases[] = {
        {Command::SubStopwatchSteps, timer, none, false, false},
        {Command::SubStopwatchSteps, running, none, true, false},
        {Command::SubStopwatchSteps, paused, none, false, false},
        {Command::ShowTZName, timer, none, true, true},
        {Command::ShowTZName, eTime, none, false, true},  // F8 still toggles it
        {Command::SubTimeZone, eTime, none, false, false},
        {Command::ShowDate, timer, none, true, true},
        {Command::ShowButtons, timer, withButtons, true, true},
        {Command::SetModeT, timer, none, true, true},
        {Command::SetModeE, timer, none, true, false},
        {Command::SetModeS, running, none, true, true},
        {Command::Options, timer, none, false, false},  // its window does not exist
        {Command::About, timer, withButtons, true, false},
        {Command::Help, timer, none, true, false},
        {Command::WorldLines, timer, none, true, true},
        {Command::WorldLines, worldHidden, none, true, false},
    };
    for (const auto& c : cases) {
        const ItemState st = menuItemState(c.command, c.state, c.context);
        EXPECT_EQ(st.enabled, c.enabled) << static_cast<int>(c.command);
        EXPECT_EQ(st.checked, c.checked) << static_cast<int>(c.command);
    }
}

TEST(MenuRules, WorldLinesFollowFullScreenWithF11) {
    const std::vector<MenuItem>& items = popMainItems();
    std::size_t at = 0;
    while (at < items.size() && items[at].command != Command::FullScreen) ++at;
    ASSERT_LT(at + 1, items.size());
    EXPECT_EQ(items[at + 1].command, Command::WorldLines);
    EXPECT_STREQ(items[at + 1].shortcut, "F11");
}

// Every shortcut shown beside a menu item is one the window answers.
TEST(MenuRules, MenuShortcutsAreTheWindowsShortcuts) {
    const auto known = [](Command c, const std::string& keys) {
        for (const Shortcut& s : mainShortcuts()) {
            if (s.command == c && keys == s.keys) return true;
        }
        return false;
    };
    std::vector<const MenuItem*> items;
    for (const MenuItem& i : popMainItems()) {
        items.push_back(&i);
        for (const MenuItem& child : i.children) items.push_back(&child);
    }
    for (const MenuItem* i : items) {
        if (*i->shortcut) {
            EXPECT_TRUE(known(i->command, i->shortcut)) << i->shortcut;
        }
    }
}

TEST(WindowsUserFolder, ProgramFolderElseTemporaryOnCdElseLocalAppData) {
    const struct {
        bool writable;
        bool cdRom;
        const char* localAppData;
        const char* expected;
    } cases[] = {
        {true, false, "C:\\Users\\ann\\AppData\\Local", "C:\\Temura"},
        {false, true, "C:\\Users\\ann\\AppData\\Local", "C:\\Temp"},
        {false, false, "C:\\Users\\ann\\AppData\\Local", "C:\\Users\\ann\\AppData\\Local\\Temura"},
        {false, false, "", "C:\\Temp"},
    };
    for (const auto& c : cases) {
        test::FakeFiles files;
        files.program = "C:\\Temura";
        files.temp = "C:\\Temp";
        files.folders.insert(files.program);
        if (!c.writable) files.readOnlyFolders.insert(files.program);
        EXPECT_EQ(windowsUserFolder(files, c.cdRom, c.localAppData), c.expected);
        if (std::string(c.expected).ends_with("\\Temura") && !c.writable) {
            EXPECT_TRUE(files.folders.contains(c.expected));  // made when needed
        }
    }
}

}  // namespace
}  // namespace temura
