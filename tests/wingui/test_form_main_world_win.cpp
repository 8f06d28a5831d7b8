// The Windows clock's world lines: drawn from the shared rules, counted in its size, hidden and
// shown by F11's command, and listed in the hint.

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/wide_text.h"
#include "wingui/win_clock_window.h"
#include "zones/world_line.h"

namespace temura::test {
namespace {

class WinWorldTest : public ::testing::Test, public ClockWindow {
  protected:
    void SetUp() override {
        make();
        for (const char* text : {"300;0;-60;01-11-2026;02:00;08-03-2026;02:00;America/New_York",
                                 "-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Asia/Tokyo",
                                 "-600;0;-60;05-04-2026;03:00;04-10-2026;02:00;Australia/Sydney"}) {
            state.WorldLines.push_back(*parseWorldLine(text));
        }
    }
    void TearDown() override {
        form.reset();
        pump(nullptr);
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        for (const std::wstring& l : form->worldLines()) out.push_back(win32::narrow(l));
        return out;
    }
};

TEST_F(WinWorldTest, LinesShowInTheirOrderAndF11HidesAndShowsThem) {
    const int bare = form->clientSize().cy;
    form->worldLinesChanged();
    // 23:30:15 in Warsaw's winter is 22:30:15 UTC.
    EXPECT_EQ(lines(), (std::vector<std::string>{"17:30:15  New York", "07:30:15  Tokyo +1",
                                                 "09:30:15  Sydney +1"}));
    const int withLines = form->clientSize().cy;
    EXPECT_GT(withLines, bare);

    // F11 as the user presses it: the accelerator reaches the same command.
    const auto pressF11 = [this] {
        SetForegroundWindow(form->hwnd());
        SetFocus(form->hwnd());
        pump(form.get(), 100);
        pressKeys({VK_F11});
        pump(form.get(), 150);
    };
    pressF11();
    EXPECT_FALSE(state.WorldVisible);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(form->clientSize().cy, bare);
    pressF11();
    EXPECT_EQ(lines().size(), 3u);
    EXPECT_EQ(form->clientSize().cy, withLines);
}

TEST_F(WinWorldTest, TheHintGainsALinePerZoneInBothLanguages) {
    form->worldLinesChanged();
    for (const bool english : {true, false}) {
        if (state.English != english) command(Command::ChangeLanguage);
        const std::string hint = win32::narrow(form->hintText());
        SCOPED_TRACE(hint);
        EXPECT_NE(hint.find("New York : -05:00"), std::string::npos);
        EXPECT_NE(hint.find(english ? "Sydney : +11:00 (DST)" : "Sydney : +11:00 (czas letni)"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace temura::test
