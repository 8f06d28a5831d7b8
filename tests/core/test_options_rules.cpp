#include <gtest/gtest.h>

#include "support/fake_shell.h"
#include "ui/options_rules.h"

namespace temura {
namespace {

TEST(OptionsRules, TransparencyNeverHidesTheClock) {
    const struct {
        int percent;
        int alpha;
    } cases[] = {{0, 255}, {1, 254}, {35, 167}, {50, 129}, {99, 4}, {100, 1}};
    for (const auto& c : cases) EXPECT_EQ(alphaFromPercent(c.percent), c.alpha) << c.percent;
    EXPECT_EQ(percentFromAlpha(255), 0);
    EXPECT_EQ(percentFromAlpha(128), 50);
    EXPECT_EQ(percentFromAlpha(1), 100);
    EXPECT_EQ(percentText(35), "35 %");
}

TEST(OptionsRules, EverySliderPositionSurvivesReopening) {
    // Opening the window re-derives the opacity from the slider: a position must map back to
    // itself, or the clock would drift each time the window opens.
    for (int p = 0; p <= 100; ++p) EXPECT_EQ(percentFromAlpha(alphaFromPercent(p)), p) << p;
}

TEST(OptionsRules, SwatchesReadAndWriteTheirOwnColour) {
    const Swatch all[] = {Swatch::TimeFont, Swatch::Background, Swatch::DateFont, Swatch::ZoneFont};
    for (const Swatch s : all) {
        ClockState state;
        DisplayLook look;
        setSwatchColour(s, 0x123456, state, look);
        for (const Swatch other : all) {
            EXPECT_EQ(swatchColour(other, state, look) == 0x123456, other == s);
        }
    }
    // Written into a settings file as signed numbers: -16777201 and -16777208.
    EXPECT_EQ(static_cast<std::int32_t>(defaultColour(Swatch::Background)), -16777201);
    EXPECT_EQ(static_cast<std::int32_t>(defaultColour(Swatch::DateFont)), -16777208);
    EXPECT_EQ(defaultColour(Swatch::TimeFont), kSysColourWindowText);
}

TEST(OptionsRules, CustomColoursStartWithTheSystemColours) {
    const auto c = customColours(0xFFFFFF, 0xC0C0C0);
    const std::array<Colour, 5> expected = {0xFFFFFF, 0xC0C0C0, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF};
    EXPECT_EQ(c, expected);
}

TEST(OptionsRules, CopyingOntoTheTimeLineSetsItsOwnFields) {
    ClockState state;
    state.TimerFontColor = 0x00FF00;
    DisplayLook look;
    look.date = LineFont{"Serif", 20, true, true, 0x0000FF};
    copyLineFont(ClockLine::Date, ClockLine::Time, state, look);
    EXPECT_EQ(look.TimerFontName, "Serif");
    EXPECT_EQ(look.TimerFontSize, 20);
    EXPECT_TRUE(state.TimerFontBold);
    EXPECT_TRUE(state.TimerFontItalic);
    EXPECT_EQ(state.TimerFontColor, 0x0000FFu);

    state.TimerFontColor = 0x00FF00;
    state.TimerFontBold = false;
    copyLineFont(ClockLine::Time, ClockLine::Zone, state, look);
    EXPECT_EQ(look.tz.colour, 0x00FF00u);  // the time line's colour, whatever its label shows
    EXPECT_FALSE(look.tz.bold);
    EXPECT_EQ(look.tz.name, "Serif");
    copyLineFont(ClockLine::Zone, ClockLine::Date, state, look);
    EXPECT_EQ(look.date.colour, 0x00FF00u);
    EXPECT_TRUE(look.date.italic);
}

TEST(OptionsRules, ShortcutBoxesMakeOrRemoveOnlyWhatIsMissingOrThere) {
    const struct {
        bool exists;
        bool ticked;
        bool created;
        bool after;
    } cases[] = {{false, true, true, true},
                 {true, true, false, true},
                 {true, false, false, false},
                 {false, false, false, false}};
    for (const auto& c : cases) {
        test::FakeShell shell;
        if (c.exists) shell.shortcuts.insert("Start Menu");
        shell.shortcuts.insert("Desktop");  // another place is left alone
        applyShortcutBox(shell, "Start Menu", c.ticked, "C:\\T\\temura.exe");
        EXPECT_EQ(shell.log.size(), c.created ? 1u : 0u) << c.exists << c.ticked;
        if (c.created) {
            EXPECT_EQ(shell.log[0], "create Temura C:\\T\\temura.exe Start Menu");
        }
        EXPECT_EQ(shell.ShortcutExists("Start Menu"), c.after) << c.exists << c.ticked;
        EXPECT_TRUE(shell.ShortcutExists("Desktop"));
    }
}

TEST(OptionsRules, PageSizes) {
    // The format groups: time format at 160..280, e-Time format ending at 230, pages at 25,
    // buttons 23 high.
    EXPECT_EQ(compactSize({160, 8, 120, 100}, {160, 114, 120, 116}, 25, 23), (PageSize{295, 316}));
    const FontsPage page = fontsPage(251, 300, 25, 23);
    EXPECT_EQ(page.gbFontLeft, 10);
    EXPECT_EQ(page.gbDateFontLeft, 271);
    EXPECT_EQ(page.gbTZFontLeft, 130);  // 125 + 5: integer halves
    EXPECT_EQ(page.window, (PageSize{537, 386}));
}

TEST(OptionsRules, TextsOfBothLanguages) {
    const OptionsTexts en = optionsTexts(true);
    const OptionsTexts pl = optionsTexts(false);
    EXPECT_EQ(en.gbFont, "Timer\\Stopwatch font : ");
    EXPECT_EQ(pl.gbTZFont, "Czcionka nazwy strefy czasowej : ");
    EXPECT_EQ(en.bgColourHint,
              "Left click - change background color\r\nRight click - set default color");
    EXPECT_EQ(pl.fontColourHint, "Lewy klik - zmień kolor czcionki\r\nPrawy klik - kolor domyślny");
    EXPECT_EQ(pl.dateFormats[1], "Pon, 14 list 2005");
    EXPECT_EQ(pl.dateFormats[5], en.dateFormats[5]);
    EXPECT_EQ(pl.deleteRegistryQuestion, "Jesteś pewien ?");
    EXPECT_EQ(pl.rbEn, "English");
    EXPECT_EQ(en.chShowWorld, "World lines");
    EXPECT_EQ(pl.chShowWorld, "Strefy świata");
}

}  // namespace
}  // namespace temura
