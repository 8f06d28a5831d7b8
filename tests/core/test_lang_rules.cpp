#include <gtest/gtest.h>

#include <vector>

#include "ui/lang_rules.h"
#include "zones/world_line.h"

namespace temura {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", from)) {
        out.push_back(text.substr(from, at - from));
        from = at + 2;
    }
    out.push_back(text.substr(from));
    return out;
}

TEST(Hint, ModeTextsInBothLanguages) {
    const struct {
        std::uint8_t mode;
        bool english, useTZ, sysInDST, sysInStd;
        const char* hint;
        std::size_t lines;
    } cases[] = {
        {4, true, false, false, false, "Mode : Stopwatch", 1},
        {4, false, false, false, false, "Tryb : Stoper", 1},
        {3, true, false, false, false, "Mode : UTC", 1},
        {3, false, false, false, false, "Tryb : UTC\r\nUniwersalny czas koordynowany", 2},
        {2, true, false, false, false,
         "Mode : Windows\r\nTime that have elapsed since the system was started.", 2},
        {2, false, false, false, false,
         "Tryb : Windows\r\nCzas, który upłynął od uruchomienia Windows", 2},
        {1, true, false, false, false, "Mode : BMT (e-Time)", 1},
        {1, false, false, false, false, "Tryb : BMT (e-Czas)\r\nCzas internetowy", 2},
        // A selected zone matters only to the Timer mode.
        {1, true, true, false, false, "Mode : BMT (e-Time)", 1},
        // Timer without a zone: the system zone's state is a third line when it has one.
        {0, true, false, false, false, "Mode : Timer\r\nCurrent system time", 2},
        {0, false, false, false, false, "Tryb : Zegar\r\nBieżący czas systemowy", 2},
        {0, true, false, true, false, "Mode : Timer\r\nCurrent system time\r\nDaylight saving time",
         3},
        {0, false, false, true, false, "Tryb : Zegar\r\nBieżący czas systemowy\r\nCzas letni (DST)",
         3},
        {0, true, false, false, true, "Mode : Timer\r\nCurrent system time\r\nStandard time", 3},
        {0, false, false, false, true,
         "Tryb : Zegar\r\nBieżący czas systemowy\r\nCzas standardowy (zimowy)", 3},
        {0, true, false, true, true, "Mode : Timer\r\nCurrent system time\r\nDaylight saving time",
         3},
    };
    for (const auto& c : cases) {
        ClockState s;
        s.Mode = c.mode;
        s.English = c.english;
        s.UseTZ = c.useTZ;
        s.SysInDST = c.sysInDST;
        s.SysInStd = c.sysInStd;
        const std::string hint = composeHint(s);
        EXPECT_EQ(hint, c.hint);
        EXPECT_EQ(lines(hint).size(), c.lines) << c.hint;
    }
}

ClockState tokyo(bool english) {
    ClockState s;
    s.Mode = kModeTimer;
    s.English = english;
    s.UseTZ = true;
    s.SysInDST = true;  // the system zone's state is not part of a zone hint
    s.TZName = "Tokyo Standard Time";
    s.TZBias = 540;
    s.ZoneShift = 420;
    s.ZoneInDST = false;
    s.ZoneInStd = true;
    s.TZDSTBias = 0;
    s.TZStdBias = 0;
    return s;
}

TEST(Hint, SelectedZoneInEnglish) {
    EXPECT_EQ(composeHint(tokyo(true)),
              "Mode : Timer+\r\n"
              "=======================\r\n"
              "Time zone : Tokyo Standard Time\r\n"
              "GMT +09:00 min\r\n"
              "Time difference : +07:00 min\r\n"
              "Daylight saving time : No\r\n"
              "Standard time : Yes\r\n"
              "Daylight saving time bias : 00:00 min\r\n"
              "Standard bias : 00:00 min");
}

TEST(Hint, SelectedZoneInPolish) {
    ClockState s = tokyo(false);
    s.ZoneInDST = true;
    s.ZoneInStd = false;
    s.TZDSTBias = 60;
    s.ZoneShift = -90;
    EXPECT_EQ(composeHint(s),
              "Tryb : Zegar+\r\n"
              "=======================\r\n"
              "Strefa czasowa : Tokyo Standard Time\r\n"
              "GMT +09:00 min\r\n"
              "Różnica czasu : -01:30 min\r\n"
              "W wybranej strefie obowiązuje czas letni : Tak\r\n"
              "W wybranej strefie obowiązuje czas standardowy : Nie\r\n"
              "Poprawka czasu letniego : +01:00 min\r\n"
              "Poprawka czasu standardowego : 00:00 min");
}

TEST(Hint, ZoneBiasesAsSignedHoursAndMinutes) {
    const struct {
        std::int32_t bias;
        const char* line;
    } cases[] = {
        {60, "GMT +01:00 min"},   {-30, "GMT -00:30 min"}, {0, "GMT 00:00 min"},
        {-330, "GMT -05:30 min"}, {765, "GMT +12:45 min"},
    };
    for (const bool english : {true, false}) {
        for (const auto& c : cases) {
            ClockState s = tokyo(english);
            s.TZBias = c.bias;
            const auto hint = lines(composeHint(s));
            ASSERT_EQ(hint.size(), 9u);
            EXPECT_EQ(hint[3], c.line);
        }
    }
}

TEST(Hint, WorldLinesFollowTheZoneLines) {
    const WorldLine newYork =
        parseWorldLine("300;0;-60;01-11-2026;02:00;08-03-2026;02:00;America/New_York").value();
    const WorldLine tokyoLine =
        parseWorldLine("-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Asia/Tokyo").value();
    SystemTime july;
    july.year = 2026;
    july.month = 7;
    july.day = 1;
    july.hour = 12;
    const struct {
        const char* what;
        ClockState state;
        bool visible;
        std::vector<std::string> tail;  // the hint's last lines
        std::size_t lines;
    } cases[] = {
        {"English, after a zone's lines",
         tokyo(true),
         true,
         {"Standard bias : 00:00 min", "New York : -04:00 (DST)", "Tokyo : +09:00"},
         11},
        {"Polish",
         tokyo(false),
         true,
         {"Poprawka czasu standardowego : 00:00 min", "New York : -04:00 (czas letni)",
          "Tokyo : +09:00"},
         11},
        {"hidden", tokyo(true), false, {"Standard bias : 00:00 min"}, 9},
    };
    for (const auto& c : cases) {
        ClockState s = c.state;
        s.WorldLines = {newYork, tokyoLine};
        s.WorldVisible = c.visible;
        const auto hint = lines(composeHint(s, july));
        ASSERT_EQ(hint.size(), c.lines) << c.what;
        const std::vector<std::string> tail(hint.end() - static_cast<std::ptrdiff_t>(c.tail.size()),
                                            hint.end());
        EXPECT_EQ(tail, c.tail) << c.what;
    }
    // Outside the Timer mode the world lines follow the mode's own lines.
    ClockState utc;
    utc.Mode = kModeUtc;
    utc.English = true;
    utc.WorldLines = {tokyoLine};
    EXPECT_EQ(composeHint(utc, july), "Mode : UTC\r\nTokyo : +09:00");
}

// Members whose text is the language's own.
constexpr std::string MainTexts::*kTranslated[] = {
    &MainTexts::actStartHint,
    &MainTexts::actPauseHint,
    &MainTexts::popStart,
    &MainTexts::popPause,
    &MainTexts::popShowButtons,
    &MainTexts::actPlayTick,
    &MainTexts::actOptions,
    &MainTexts::actClose,
    &MainTexts::actAbout,
    &MainTexts::actHelp,
    &MainTexts::popMode,
    &MainTexts::actSetModeS,
    &MainTexts::actSetModeT,
    &MainTexts::popFont,
    &MainTexts::popFontSizePlus,
    &MainTexts::popFontSizeMinus,
    &MainTexts::actShowMode,
    &MainTexts::popTimeZone,
    &MainTexts::actDefaultTimeZone,
    &MainTexts::actSelectTimeZone,
    &MainTexts::popIncDecStopwatch,
    &MainTexts::actSetModeE,
    &MainTexts::actSetModeU,
    &MainTexts::actMinimize,
    &MainTexts::actRestore,
    &MainTexts::actFontBold,
    &MainTexts::actFontItalic,
    &MainTexts::actShowTZName,
    &MainTexts::actShowDate,
    &MainTexts::actFullScreen,
    &MainTexts::actWorldLines,
    &MainTexts::actDefault,
    &MainTexts::actDefaultHint,
    &MainTexts::popCtiRestore,
    &MainTexts::popCtiTimer,
    &MainTexts::popCtiBMT,
    &MainTexts::popCtiUTC,
    &MainTexts::popCtiStopwatch,
    &MainTexts::popCtiExit,
    &MainTexts::popSep1,
    &MainTexts::popSep2,
    &MainTexts::popSep3,
    &MainTexts::popExit,
};

constexpr std::string MainTexts::*kShared[] = {
    &MainTexts::actSetModeW,     &MainTexts::actStopHint,       &MainTexts::popStop,
    &MainTexts::actStoperIncSec, &MainTexts::actStoperDecSec,   &MainTexts::actStoperIncMin,
    &MainTexts::actStoperDecMin, &MainTexts::actChangeLanguage, &MainTexts::popCtiWindows,
};

TEST(MainTexts, SwitchingLanguageChangesEveryTranslatedText) {
    ClockState s;
    s.SysZoneName = "CET";
    s.English = true;
    const MainTexts en = mainTexts(s);
    s.English = false;
    const MainTexts pl = mainTexts(s);

    int i = 0;
    for (const auto member : kTranslated) {
        EXPECT_FALSE((en.*member).empty()) << i;
        EXPECT_NE(en.*member, pl.*member) << i << " " << en.*member;
        ++i;
    }
    for (const auto member : kShared) {
        EXPECT_FALSE((en.*member).empty()) << en.*member;
        EXPECT_EQ(en.*member, pl.*member);
    }
    EXPECT_EQ(en.actSetModeW, "Windows");
    EXPECT_EQ(pl.popCtiWindows, "Windows");
}

TEST(MainTexts, TextsThatAreBuiltOrEasilyMistyped) {
    ClockState s;
    s.SysZoneName = "Central European Standard Time";
    s.English = true;
    const MainTexts en = mainTexts(s);
    s.English = false;
    const MainTexts pl = mainTexts(s);

    const struct {
        const std::string& actual;
        const char* expected;
    } cases[] = {
        {en.actDefaultTimeZone, "Default (Central European Standard Time)"},
        {pl.actDefaultTimeZone, "Domyślna (Central European Standard Time)"},
        {en.popExit, "Exit           Esc"},
        {pl.popExit, "Zamknij           Esc"},
        {en.popStart, "Start\\Resume"},
        {pl.actStartHint, "Start\\Ponów"},
        {en.popFont, "Timer\\Stopwatch font"},
        {pl.popFontSizeMinus, "Rozmiar czcionki - 1   Ctrl+ -"},
        {pl.actRestore, "Przywróć"},
        {pl.actDefaultHint, "Przywróc ustawienia domyślne"},
        {pl.popCtiBMT, "BMT (e-Czas)"},
        {en.popCtiExit, "Exit"},
        {en.popSep1, "S T O P W A T C H"},
        {pl.popSep2, "U S T A W I E N I A"},
        {pl.popSep3, "I N F O R M A C J E"},
        {en.actWorldLines, "World lines"},
        {pl.actWorldLines, "Strefy świata"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

}  // namespace
}  // namespace temura
