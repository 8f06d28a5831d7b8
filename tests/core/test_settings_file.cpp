#include <gtest/gtest.h>

#include <random>

#include "clock/zone_arithmetic.h"
#include "settings/position_clamps.h"
#include "settings/settings_file.h"
#include "support/fake_files.h"
#include "support/fake_system_clock.h"
#include "zones/world_line.h"

namespace temura {
namespace {

using test::FakeFiles;
using test::FakeSystemClock;

DateTime at(int y, int mo, int d, int h, int mi, int s = 0) {
    return *tryEncodeDateTime(y, mo, d, h, mi, s, 0);
}

std::string crlf(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) out += std::string(l) + "\r\n";
    return out;
}

// The example of the format: the built-in look at 500, 300, every group but the zone.
const std::string kExample =
    "[SETTINGS]\r\nMode=0\r\nModeVisible=1\r\nX=500\r\nY=300\r\nTimerFontColor=16777215\r\n"
    "TimerFontSize=14\r\nTimerFontName=MS Sans Serif\r\nTimerFontBold=1\r\nTimerFontItalic=0\r\n"
    "TimeFormat=1\r\nETimeFormat=1\r\nDateFontColor=16777215\r\nDateFontSize=8\r\n"
    "DateFontName=Arial\r\nDateFontBold=0\r\nDateFontItalic=0\r\nDateVisible=1\r\nDateFormat=2\r\n"
    "TZFontColor=16777215\r\nTZFontSize=8\r\nTZFontName=Arial\r\nTZFontBold=0\r\n"
    "TZFontItalic=0\r\nTZVisible=1\r\nBgColor=0\r\nAlpha=255\r\nButtonsVisible=0\r\nPlayTick=1\r\n"
    "FullScreen=0\r\n";

class SettingsFileTest : public ::testing::Test {
  protected:
    SettingsFileTest() {
        clock.setWarsawWinter();
        clock.setLocal(2024, 1, 15, 12, 0);
        setStartValues(state);
        GetCurrTZName(state, clock);
        applyBuiltInDefaults(state, look);
        look.X = 500;
        look.Y = 300;
    }

    WindowUpdate load(const std::string& bytes) { return LoadSettings(bytes, state, look, env); }
    // Everything a settings file can hold, as text, to see what a load changed.
    std::string snapshot() const {
        return SaveSettings({}, SettingsGroups{}, state, look) + state.TZName +
               std::to_string(state.UseTZ) + std::to_string(state.ZoneShift);
    }

    FakeSystemClock clock;
    SettingsEnv env{clock, "/opt/temura/temura", 1024, 768, 1024, 768, false, false};
    ClockState state;
    DisplayLook look;
};

TEST(FixPosition, ClampsToTheScreen) {
    const struct {
        int in, fixedX, fixedY;
    } cases[] = {
        {-10, -10, -10},
        {-11, 0, 0},
        {0, 0, 0},
        {500, 500, 500},
        // At the screen's size the window would be wholly off screen.
        {1024, 1014, 748},
        {1023, 1023, 748},
        {768, 768, 748},
        {5000, 1014, 748},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FixX(c.in, 1024), c.fixedX) << c.in;
        EXPECT_EQ(FixY(c.in, 768), c.fixedY) << c.in;
    }
}

TEST_F(SettingsFileTest, DefaultLookIsSavedExactlyAsTheExample) {
    SettingsGroups groups;
    EXPECT_EQ(SaveSettings({}, groups, state, look), kExample);  // no zone in use
    groups.tz = false;
    EXPECT_EQ(SaveSettings({}, groups, state, look), kExample);
}

TEST_F(SettingsFileTest, ZoneGroupFollowsTheOtherGroupsWhileAZoneIsInUse) {
    applyZone(state, clock,
              ZoneSelection{"New York", -300, 60, 0, at(2024, 3, 10, 2, 0), at(2024, 11, 3, 0, 0)});
    const std::string zoneLines =
        crlf({"UseTZ=1", "TZName=New York", "xTZBias=-300", "xTZDSTBias=60", "xTZStdBias=0",
              "IsTZDST=0", "DSTStart=2024-03-10 02:00:00", "StdStart=2024-11-03"});
    EXPECT_EQ(SaveSettings({}, SettingsGroups{}, state, look), kExample + zoneLines);
    SettingsGroups onlyZone = SettingsGroups::none();
    onlyZone.tz = true;
    EXPECT_EQ(SaveSettings({}, onlyZone, state, look), "[SETTINGS]\r\n" + zoneLines);
}

TEST_F(SettingsFileTest, SystemColoursAndFullScreenPositionAreWrittenAsKept) {
    look.TimerBgColor = 0xFF00000F;  // button face
    state.FullScreen = true;
    state.SavedLeft = 12;
    state.SavedTop = 34;
    SettingsGroups g = SettingsGroups::none();
    g.position = g.bgColor = true;
    EXPECT_EQ(SaveSettings({}, g, state, look),
              crlf({"[SETTINGS]", "X=12", "Y=34", "BgColor=-16777201"}));
}

TEST_F(SettingsFileTest, SavingReplacesOnlyTheSettingsSection) {
    const std::string existing = crlf({"; my looks", "[Other]", "a=1", "[SETTINGS]", "Mode=4",
                                       "X=1", "[settings]", "Y=2", "[Tail]", "b=2"});
    SettingsGroups g = SettingsGroups::none();
    g.mode = true;
    const std::string once = SaveSettings(existing, g, state, look);
    EXPECT_EQ(once, crlf({"; my looks", "[Other]", "a=1", "[Tail]", "b=2", "[SETTINGS]", "Mode=0",
                          "ModeVisible=1"}));
    EXPECT_EQ(SaveSettings(once, g, state, look), once);
    // No group: no section, the rest kept.
    EXPECT_EQ(SaveSettings(once, SettingsGroups::none(), state, look),
              crlf({"; my looks", "[Other]", "a=1", "[Tail]", "b=2"}));
    EXPECT_EQ(SaveSettings({}, SettingsGroups::none(), state, look), "");
}

TEST_F(SettingsFileTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
    FakeFiles files;
    const std::string path = "/opt/temura/mine.temura";
    files.files[path] = "[Keep]\r\nk=v\r\n";
    ASSERT_TRUE(saveSettingsFile(files, path, SettingsGroups{}, state, look));
    EXPECT_EQ(files.files[path], "[Keep]\r\nk=v\r\n" + kExample);

    const std::string before = files.files[path];
    state.Mode = kModeUtc;
    files.failWrites = true;
    EXPECT_FALSE(saveSettingsFile(files, path, SettingsGroups{}, state, look));
    EXPECT_EQ(files.files[path], before);
    files.failWrites = false;
    files.readOnlyFiles.insert(path);
    EXPECT_FALSE(saveSettingsFile(files, path, SettingsGroups{}, state, look));
    EXPECT_EQ(files.files[path], before);
    // A folder of that name cannot be read, so it is not overwritten either.
    files.folders.insert("/opt/temura/dir.temura");
    EXPECT_FALSE(saveSettingsFile(files, "/opt/temura/dir.temura", SettingsGroups{}, state, look));
    EXPECT_FALSE(saveSettingsFile(files, "/missing/x.temura", SettingsGroups{}, state, look));
}

TEST_F(SettingsFileTest, SingleKeysFollowTheLoadingRules) {
    // A loaded line, and the line the clock then saves for that setting.
    // clang-format off
    const struct {
        const char* line;
        const char* saved;
    } cases[] = {
        {"Mode=3", "Mode=3"}, {"Mode=7", "Mode=0"}, {"Mode=-1", "Mode=0"}, {"Mode=$4", "Mode=4"},
        {"X=-50", "X=0"}, {"X=-5", "X=-5"},
        {"X=1024", "X=1014"},  // at the desktop's edge: pulled back
        {"X=0x10", "X=16"}, {"Y=768", "Y=748"}, {"Y=-11", "Y=0"},
        {"TimerFontSize=1", "TimerFontSize=10"}, {"TimerFontSize=500", "TimerFontSize=160"},
        {"TimerFontSize=2", "TimerFontSize=2"}, {"DateFontSize=-3", "DateFontSize=10"},
        {"TZFontSize=161", "TZFontSize=160"}, {"TimeFormat=5", "TimeFormat=1"},
        {"TimeFormat=-1", "TimeFormat=1"}, {"TimeFormat=0", "TimeFormat=0"},
        {"ETimeFormat=3", "ETimeFormat=1"}, {"ETimeFormat=0", "ETimeFormat=0"},
        {"DateFormat=9", "DateFormat=5"}, {"DateFormat=-3", "DateFormat=2"},
        {"DateFormat=0", "DateFormat=0"}, {"Alpha=200", "Alpha=200"}, {"Alpha=$C8", "Alpha=200"},
        {"Alpha=0xC8", "Alpha=200"}, {"Alpha=0x1C8", "Alpha=200"},
        {"Alpha=0", "Alpha=1"},  // never wholly invisible
        {"Alpha=256", "Alpha=1"},
        {"PlayTick=yes", "PlayTick=0"},  // malformed: as it was
        {"PlayTick=2", "PlayTick=1"}, {"PlayTick=0x1", "PlayTick=1"},
        {"ButtonsVisible=1", "ButtonsVisible=1"}, {"TimerFontColor=$FF", "TimerFontColor=255"},
        {"BgColor=-16777201", "BgColor=-16777201"}, {"DateFontBold=-1", "DateFontBold=1"},
        {"TZFontName=DejaVu Sans", "TZFontName=DejaVu Sans"},
        {"  alpha  =  0X64  ", "Alpha=100"},  // names in any case, blanks trimmed
    };
    // clang-format on
    for (const auto& c : cases) {
        applyBuiltInDefaults(state, look);
        look.X = 500;
        look.Y = 300;
        // Start away from every expected value.
        state.PlayTick = false;
        state.Mode = kModeWindows;
        state.TimeFormat = state.ETimeFormat = 2;
        state.DateFormat = 3;
        const WindowUpdate u = load(std::string("[Settings]\r\n") + c.line + "\r\n");
        EXPECT_TRUE(u.applied) << c.line;
        const std::string saved = SaveSettings({}, SettingsGroups{}, state, look);
        EXPECT_NE(saved.find("\n" + std::string(c.saved) + "\r"), std::string::npos) << c.line;
    }
}

TEST_F(SettingsFileTest, MalformedValuesLeaveTheStateAsItWas) {
    const std::string before = snapshot();
    const WindowUpdate u =
        load(crlf({"[SETTINGS]", "Mode=", "X=12abc", "Y= ", "TimerFontSize=abc", "Alpha=1.5",
                   "PlayTick=yes", "DateVisible=true", "TimeFormat=0x", "BgColor=$",
                   "FullScreen=on", "TimerFontName=", "DateFontColor=99999999999"}));
    EXPECT_TRUE(u.applied);
    EXPECT_FALSE(u.mode.has_value());
    EXPECT_EQ(u.fullScreen, FullScreenChange::None);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SettingsFileTest, ModeAloneChangesNothingElse) {
    applyZone(state, clock, ZoneSelection{"Tokyo", 540, 0, 0, 0, 0});
    // The field, not a label that may be blinking, is what a load without the key keeps.
    state.TimerFontColor = 0x123456;
    look.date.bold = true;
    std::string before = snapshot();
    const WindowUpdate u = load(crlf({"[SETTINGS]", "Mode=3"}));
    EXPECT_EQ(u.mode, std::uint8_t{kModeUtc});
    EXPECT_FALSE(u.zoneChanged);
    EXPECT_EQ(u.fullScreen, FullScreenChange::None);
    EXPECT_EQ(state.Mode, kModeUtc);
    state.Mode = kModeTimer;
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(state.TimerFontColor, 0x123456u);
}

TEST_F(SettingsFileTest, NothingToLoadDoesNothing) {
    const std::string before = snapshot();
    for (const std::string& bytes :
         {std::string{}, crlf({"[SETTINGS]"}), crlf({"[Other]", "Mode=3"}),
          SaveSettings(crlf({"[Other]", "Mode=3"}), SettingsGroups::none(), state, look)}) {
        const WindowUpdate u = load(bytes);
        EXPECT_FALSE(u.applied);
        EXPECT_FALSE(u.mode.has_value());
    }
    FakeFiles files;
    EXPECT_FALSE(loadSettingsFile(files, "/nowhere.temura", state, look, env).applied);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SettingsFileTest, FullScreenIsReportedAsAToggle) {
    const struct {
        bool was;
        const char* line;
        FullScreenChange change;
    } cases[] = {
        {false, "FullScreen=1", FullScreenChange::Open},
        {true, "FullScreen=1", FullScreenChange::None},
        {true, "FullScreen=0", FullScreenChange::Close},
        {false, "FullScreen=0", FullScreenChange::None},
        {true, "Mode=1", FullScreenChange::None},
    };
    for (const auto& c : cases) {
        state.FullScreen = c.was;
        const WindowUpdate u = load(crlf({"[SETTINGS]", c.line}));
        EXPECT_EQ(u.fullScreen, c.change) << c.was << " " << c.line;
        EXPECT_EQ(state.FullScreen, c.was);  // the window's toggle moves it
    }
}

TEST_F(SettingsFileTest, ZoneKeysApplyOnlyWithUseTZ) {
    applyZone(state, clock, ZoneSelection{"Tokyo", 540, 0, 0, 0, 0});
    for (const char* useTZ : {"UseTZ=0", "UseTZ=abc", "Mode=0"}) {
        const WindowUpdate u = load(crlf({"[SETTINGS]", useTZ, "TZName=Lima", "xTZBias=-300"}));
        EXPECT_FALSE(u.zoneChanged) << useTZ;
        EXPECT_TRUE(state.UseTZ) << useTZ;
        EXPECT_EQ(state.TZName, "Tokyo") << useTZ;
        EXPECT_EQ(state.ZoneShift, -60 + 540) << useTZ;
    }

    WindowUpdate u = load(crlf({"[SETTINGS]", "UseTZ=1", "TZName=New York", "xTZBias=-300",
                                "xTZDSTBias=60", "xTZStdBias=0", "IsTZDST=1",
                                "DSTStart=2024-03-10 02:00:00", "StdStart=03-11-2024 2:00"}));
    EXPECT_TRUE(u.zoneChanged);
    EXPECT_EQ(state.TZName, "New York");
    EXPECT_EQ(state.TZDSTStart, at(2024, 3, 10, 2, 0));
    EXPECT_EQ(state.TZStdStart, at(2024, 11, 3, 2, 0));
    EXPECT_FALSE(state.ZoneInDST);  // recomputed, not read
    EXPECT_TRUE(state.ZoneInStd);
    EXPECT_EQ(state.ZoneShift, -360);

    // Absent or unreadable values give 0; offsets are clamped; the name stays.
    u = load(crlf({"[SETTINGS]", "UseTZ=1", "xTZBias=99999", "xTZDSTBias=-$7FFFFFFF",
                   "DSTStart=2024-02-30", "StdStart=soon"}));
    EXPECT_TRUE(u.zoneChanged);
    EXPECT_EQ(state.TZName, "New York");
    EXPECT_EQ(state.TZBias, 1499);
    EXPECT_EQ(state.TZDSTBias, -1499);
    EXPECT_EQ(state.TZStdBias, 0);
    EXPECT_EQ(state.TZDSTStart, 0);
    EXPECT_EQ(state.TZStdStart, 0);
    EXPECT_EQ(state.ZoneShift, -60 + 1499);
}

TEST(SettingsDateTime, ParsesTheWrittenFormAndTheRegionalOnes) {
    // clang-format off
    const struct {
        const char* text;
        bool monthFirst;
        std::optional<DateTime> expected;
    } cases[] = {
        {"2024-03-10 02:00:00", false, at(2024, 3, 10, 2, 0)},
        {"2024-3-1", false, at(2024, 3, 1, 0, 0)},
        {"2024-03-10   23:59", false, at(2024, 3, 10, 23, 59)},
        {"10-03-2024 2:5:9", false, at(2024, 3, 10, 2, 5, 9)},
        {"03-10-2024 02:00:00", true, at(2024, 3, 10, 2, 0)},
        {"2024-03-10", true, at(2024, 3, 10, 0, 0)},  // year first is never ambiguous
        {"1899-12-30", false, 0.0}, {"13-10-2024", true, std::nullopt},
        {"2024-02-30", false, std::nullopt}, {"2024-13-01", false, std::nullopt},
        {"24-03-10", false, std::nullopt}, {"2024/03/10", false, std::nullopt},
        {"2024-03-10 24:00", false, std::nullopt}, {"2024-03-10 02", false, std::nullopt},
        {"2024-03-10 02:00:00:00", false, std::nullopt}, {"2024-03-10 ", false, std::nullopt},
        {"2024-03-010", false, std::nullopt}, {"-2024-03-10", false, std::nullopt},
        {"", false, std::nullopt},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(parseSettingsDateTime(c.text, c.monthFirst), c.expected) << c.text;
    }
}

TEST(SettingsDateTime, WrittenTextReadsBack) {
    for (DateTime v : {at(2024, 3, 10, 2, 0), at(2024, 11, 3, 0, 0), at(1999, 12, 31, 23, 59, 59),
                       at(2030, 2, 28, 0, 0, 1), 0.0}) {
        const std::string text = settingsDateTimeText(v);
        EXPECT_EQ(parseSettingsDateTime(text, false), v) << text;
        EXPECT_EQ(parseSettingsDateTime(text, true), v) << text;
    }
    EXPECT_EQ(settingsDateTimeText(at(2024, 11, 3, 0, 0)), "2024-11-03");
}

TEST_F(SettingsFileTest, SavedFileLoadsBackIntoAFreshClock) {
    state.Mode = kModeETime;
    state.ModeVisible = false;
    state.TimerFontColor = 0xFF000008;
    state.TimerFontBold = false;
    state.TimerFontItalic = true;
    state.TimeFormat = 0;
    state.ETimeFormat = 2;
    state.DateFormat = 4;
    state.DateVisible = false;
    state.TZVisible = false;
    state.PlayTick = false;
    applyZone(state, clock,
              ZoneSelection{"Sydney", 600, 60, 0, at(2024, 10, 6, 2, 0), at(2024, 4, 7, 3, 0)});
    look.X = 10;
    look.Y = 20;
    look.TimerFontName = "DejaVu Sans Mono";
    look.TimerFontSize = 48;
    look.date = LineFont{"Liberation Sans", 12, true, false, 0x00FF00};
    look.tz = LineFont{"Liberation Serif", 9, false, true, 0x0000FF};
    look.TimerBgColor = 0x202020;
    look.Alpha = 180;
    look.ButtonsVisible = true;
    const std::string saved = SaveSettings({}, SettingsGroups{}, state, look);

    ClockState s2;
    setStartValues(s2);
    GetCurrTZName(s2, clock);
    DisplayLook l2;
    applyBuiltInDefaults(s2, l2);
    const WindowUpdate u = LoadSettings(saved, s2, l2, env);
    EXPECT_EQ(u.mode, std::uint8_t{kModeETime});
    EXPECT_TRUE(u.zoneChanged);
    EXPECT_EQ(SaveSettings({}, SettingsGroups{}, s2, l2), saved);
    EXPECT_EQ(s2.ZoneShift, state.ZoneShift);
}

TEST_F(SettingsFileTest, HostileFilesCauseNoHarm) {
    std::mt19937 rng(7);
    std::string binary(64 * 1024, '\0');
    for (char& c : binary) c = static_cast<char>(rng());

    std::string manyKeys = "[SETTINGS]\r\n";
    for (int i = 0; i < 10000; ++i)
        manyKeys += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    manyKeys += "Mode=2\r\n";

    const std::string longLine = "[SETTINGS]\r\nTimerFontName=" + std::string(1 << 20, 'F') +
                                 "\r\nX=" + std::string(1 << 20, '9') +
                                 "\r\nDSTStart=" + std::string(1 << 20, '1') + "\r\n";

    for (const std::string& bytes :
         {std::string{}, binary, "[SETTINGS]\r\n" + binary, manyKeys, longLine,
          std::string("[SETTINGS]\r\nDateFontName=\xc3\x28\xa0\xa1\r\nTZName=\xff\xfe\r\n"),
          std::string("[SETTINGS]\r\nUseTZ=1\r\nTZName=\x80\x81\r\nDSTStart=\xff-\xff-\xff\r\n"),
          std::string("[SETTINGS\r\n\0\0\0=\0\r\n[", 19)}) {
        ClockState s = state;
        DisplayLook l = look;
        LoadSettings(bytes, s, l, env);
        EXPECT_GE(l.Alpha, 1);
        EXPECT_LE(l.TimerFontSize, 160);
    }

    ClockState s = state;
    DisplayLook l = look;
    EXPECT_EQ(LoadSettings(manyKeys, s, l, env).mode, std::uint8_t{kModeWindows});
    LoadSettings(longLine, s, l, env);
    EXPECT_EQ(l.TimerFontName.size(), 2047u);  // the ini reader's value limit
    EXPECT_EQ(l.X, look.X);                    // too long to be a number
    // A name that is not UTF-8 arrives as text all the same.
    LoadSettings(std::string("[SETTINGS]\r\nDateFontName=Zaż\xf3\xb3\xe6\r\n"), s, l, env);
    EXPECT_FALSE(l.date.name.empty());
}

TEST_F(SettingsFileTest, WorldLinesTravelAfterTheZoneGroupAndReplaceTheList) {
    const std::string tokyo = "-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Asia/Tokyo";
    state.WorldLines = {*parseWorldLine(tokyo), *parseWorldLine(tokyo)};
    state.WorldLines[1].Name = "Mum";
    state.WorldLines[1].Zone = "Asia/Tokyo";
    state.WorldVisible = false;
    const std::string saved = SaveSettings({}, SettingsGroups{}, state, look);
    EXPECT_EQ(saved, kExample + crlf({"WorldVisible=0", ("World1=" + tokyo).c_str(),
                                      "World2=-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Mum",
                                      "WorldZone2=Asia/Tokyo"}));

    const struct {
        std::string file;
        std::size_t lines;
        const char* first;
    } cases[] = {
        {saved, 2, "Asia/Tokyo"},
        {"[SETTINGS]\r\nWorld2=nonsense\r\nWorld3=" + tokyo + "\r\n", 1, "Asia/Tokyo"},
        {"[SETTINGS]\r\nMode=0\r\n", 3, "UTC"},  // no lines: the list stays
    };
    for (const auto& c : cases) {
        state.WorldLines.assign(3, WorldLine{});
        state.WorldLines[0].Name = "UTC";
        load(c.file);
        ASSERT_EQ(state.WorldLines.size(), c.lines) << c.file;
        EXPECT_EQ(state.WorldLines[0].Name, c.first) << c.file;
        if (c.file == saved) {
            EXPECT_EQ(state.WorldLines[1].Zone, "Asia/Tokyo");
        }
    }
}

}  // namespace
}  // namespace temura
