#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "clock/zone_arithmetic.h"
#include "settings/settings_file.h"
#include "settings/settings_record.h"
#include "storage/memory_registry.h"
#include "support/fake_registry.h"
#include "support/fake_shell.h"
#include "support/fake_system_clock.h"
#include "support/stored_values.h"

namespace temura {
namespace {

using test::bytesOf;

using test::FakeRegistry;
using test::FakeShell;
using test::FakeSystemClock;

constexpr RegRoot kHKCU = RegRoot::CurrentUser;
const char* const kProgram = "/opt/temura/temura";

DateTime at(int y, int mo, int d, int h, int mi) {
    return *tryEncodeDateTime(y, mo, d, h, mi, 0, 0);
}

class RegistryTest : public ::testing::Test {
  protected:
    RegistryTest() {
        clock.setWarsawWinter();
        clock.setLocal(2024, 1, 15, 12, 0);
        setStartValues(state);
        GetCurrTZName(state, clock);  // "CET"
    }

    RegistryReadResult read() { return GetInfoFromReg(reg, shell, state, look, env); }
    void dword(const char* name, std::int32_t v) { reg.writeDWord(kHKCU, kSettingsKey, name, v); }
    void text(const char* name, const std::string& v) {
        reg.writeString(kHKCU, kSettingsKey, name, v);
    }
    void binary(const char* name, const std::vector<std::uint8_t>& v) {
        reg.writeBinary(kHKCU, kSettingsKey, name, v);
    }
    void storeNewYork(const std::optional<std::string>& name = "New York") {
        dword("UseTZ", 1);
        if (name) text("TZName", *name);
        dword("TZBias", -300);
        dword("TZDSTBias", 60);
        dword("TZStdBias", 0);
        binary("TZDSTStart", bytesOf(at(2024, 3, 10, 2, 0)));
        binary("TZStdStart", bytesOf(at(2024, 11, 3, 2, 0)));
    }

    FakeSystemClock clock;
    SettingsEnv env{clock, kProgram, 1024, 768, 1024, 768, false, false};
    FakeRegistry reg;
    FakeShell shell;
    ClockState state;
    DisplayLook look;
};

TEST_F(RegistryTest, FirstRunWritesEveryRowButTheZoneOnesAndMakesADesktopShortcut) {
    const RegistryReadResult r = read();
    EXPECT_TRUE(r.firstRun);
    EXPECT_EQ(shell.log, std::vector<std::string>{"create Temura /opt/temura/temura Desktop"});
    EXPECT_TRUE(shell.programPathRegistered);
    EXPECT_EQ(reg.commits, 1);  // one save for all the defaults
    EXPECT_EQ(reg.dump(kSettingsKey),
              "Alpha=255\nButtonsVisible=0\nDateFontBold=0\nDateFontColor=16777215\n"
              "DateFontItalic=0\nDateFontName=\"Arial\"\nDateFontSize=8\nDateFormat=2\n"
              "DateVisible=1\nETimeFormat=1\nExePath=\"/opt/temura/temura\"\nLang=\"en\"\n"
              "Mode=0\nModeVisible=1\nPlayTick=1\nSaveOverwritePrompt=1\nTimeFormat=1\n"
              "TimerBgColor=0\nTimerFontBold=1\nTimerFontColor=16777215\nTimerFontItalic=0\n"
              "TimerFontName=\"MS Sans Serif\"\nTimerFontSize=14\nTZFontBold=0\n"
              "TZFontColor=16777215\nTZFontItalic=0\nTZFontName=\"Arial\"\nTZFontSize=8\n"
              "TZVisible=1\nUseTZ=0\nWorldVisible=1\nX=512\nY=384\n");
    EXPECT_EQ(r.update.mode, std::uint8_t{0});
    EXPECT_FALSE(state.UseTZ);
    EXPECT_EQ(state.TZName, "CET");

    shell.log.clear();
    EXPECT_FALSE(read().firstRun);
    EXPECT_TRUE(shell.log.empty());

    reg = FakeRegistry{};
    env.localePolish = true;
    read();
    EXPECT_EQ(reg.readString(kHKCU, kSettingsKey, "Lang"), "pl");
    EXPECT_FALSE(state.English);
}

TEST_F(RegistryTest, RepairRulesBringStoredValuesIntoRange) {
    // What each row sets, as a number.
    const auto field = [this](const std::string& name) -> long long {
        if (name == "X") return look.X;
        if (name == "Y") return look.Y;
        if (name == "TimerFontSize") return look.TimerFontSize;
        if (name == "DateFontSize") return look.date.size;
        if (name == "TZFontSize") return look.tz.size;
        if (name == "Mode") return state.Mode;
        if (name == "TimeFormat") return state.TimeFormat;
        if (name == "ETimeFormat") return state.ETimeFormat;
        if (name == "DateFormat") return state.DateFormat;
        if (name == "Alpha") return look.Alpha;
        return -999;
    };
    // clang-format off
    const struct {
        const char* name;
        std::int32_t stored;
        long long expected;
    } cases[] = {
        {"X", 5000, 512}, {"X", -3, 10}, {"X", 1023, 1023},
        {"X", 1024, 512}, {"Y", 768, 384},  // at the edge the window would be off screen
        {"Y", -1, 10}, {"TimerFontSize", 2, 4}, {"TimerFontSize", 300, 160},
        {"DateFontSize", 3, 4}, {"TZFontSize", 161, 160}, {"Mode", 7, 0}, {"Mode", -1, 0},
        {"Mode", 4, 4}, {"TimeFormat", 9, 2}, {"TimeFormat", -4, 1}, {"TimeFormat", 0, 0},
        {"ETimeFormat", 3, 2}, {"ETimeFormat", -1, 1}, {"DateFormat", 6, 5},
        {"DateFormat", -1, 2}, {"DateFormat", 0, 0}, {"Alpha", 0x1234, 0x34}, {"Alpha", -1, 255},
        {"Alpha", 256, 1}, {"Alpha", 0, 1},  // never wholly invisible
    };
    // clang-format on
    for (const auto& c : cases) {
        reg = FakeRegistry{};
        dword(c.name, c.stored);
        read();
        EXPECT_EQ(field(c.name), c.expected) << c.name << " " << c.stored;
    }

    // The stored position is compared with the whole desktop: a second monitor keeps it.
    env.desktopWidth = 2048;
    dword("X", 1500);
    read();
    EXPECT_EQ(look.X, 1500);
}

TEST_F(RegistryTest, LangPlInAnyCaseSelectsPolish) {
    const struct {
        const char* stored;
        bool english;
    } cases[] = {{"pl", false}, {"PL", false}, {"Pl", false}, {"pL", false},
                 {"en", true},  {"", true},    {"pol", true}, {" pl", true}};
    for (const auto& c : cases) {
        text("Lang", c.stored);
        read();
        EXPECT_EQ(state.English, c.english) << '"' << c.stored << '"';
    }
}

TEST_F(RegistryTest, BadRowsFallBackToTheirDefaultAndTheRestIsRead) {
    dword("TimerFontSize", 20);
    text("DateFontSize", "12");          // wrong type
    dword("TimerFontName", 5);           // wrong type
    reg.setOther(kSettingsKey, "Mode");  // a type the program never writes
    dword("PlayTick", 0);
    dword("DateFormat", 4);
    dword("SaveOverwritePrompt", 0);
    reg.throwOnRead.insert("Alpha");
    look.Alpha = 77;

    read();
    EXPECT_EQ(look.TimerFontSize, 20);
    EXPECT_EQ(look.date.size, 8);
    EXPECT_EQ(look.TimerFontName, "MS Sans Serif");
    EXPECT_EQ(state.Mode, 0);
    EXPECT_EQ(look.Alpha, 255);
    EXPECT_FALSE(state.PlayTick);
    EXPECT_EQ(state.DateFormat, 4);
    EXPECT_FALSE(state.SaveOverwritePrompt);
    // The defaults replaced what could not be read.
    EXPECT_EQ(reg.readDWord(kHKCU, kSettingsKey, "DateFontSize"), 8);
    EXPECT_EQ(reg.readString(kHKCU, kSettingsKey, "TimerFontName"), "MS Sans Serif");

    // Refused registrations and writes stop nothing either.
    dword("Mode", 3);
    shell.refuseProgramPath = true;
    reg.refuseWrites = true;
    EXPECT_EQ(read().update.mode, std::uint8_t{3});
    EXPECT_EQ(look.TimerFontSize, 20);
}

TEST_F(RegistryTest, StoredZoneIsAppliedUnlessItIsTheSystemZone) {
    storeNewYork();
    RegistryReadResult r = read();
    EXPECT_TRUE(r.update.zoneChanged);
    EXPECT_TRUE(state.UseTZ);
    EXPECT_EQ(state.TZName, "New York");
    EXPECT_EQ(state.TZDSTStart, at(2024, 3, 10, 2, 0));
    EXPECT_EQ(state.ZoneShift, -360);  // Warsaw winter -60, New York -300

    const struct {
        const char* what;
        std::optional<std::string> name;
        std::int32_t useTZ;
    } notApplied[] = {
        {"the system zone's name", "CET", 1},
        {"no name", std::nullopt, 1},
        {"an empty name", "", 1},
        {"UseTZ 0", "New York", 0},
    };
    for (const auto& c : notApplied) {
        reg = FakeRegistry{};
        storeNewYork(c.name);
        dword("UseTZ", c.useTZ);
        state.ZoneShift = 99;
        r = read();
        EXPECT_FALSE(state.UseTZ) << c.what;
        EXPECT_EQ(state.ZoneShift, 0) << c.what;
        EXPECT_EQ(state.TZName, "CET") << c.what;
        EXPECT_FALSE(r.update.zoneChanged) << c.what;
    }
}

TEST_F(RegistryTest, ZoneValuesAreClampedAndNonFiniteInstantsCountAsZero) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        std::int32_t bias;
        std::vector<std::uint8_t> dst;
        std::int32_t wantBias;
        DateTime wantDst;
    } cases[] = {
        {100000, bytesOf(at(2024, 3, 10, 2, 0)), 1499, at(2024, 3, 10, 2, 0)},
        {-5000, bytesOf(std::numeric_limits<double>::quiet_NaN()), -1499, 0},
        {1499, bytesOf(inf), 1499, 0},
        {-1499, bytesOf(-inf), -1499, 0},
        {60, {1, 2, 3, 4, 5, 6, 7}, 60, 0},  // not 8 bytes
    };
    for (const auto& c : cases) {
        reg = FakeRegistry{};
        storeNewYork();
        dword("TZBias", c.bias);
        dword("TZDSTBias", std::numeric_limits<std::int32_t>::min());
        binary("TZDSTStart", c.dst);
        read();
        ASSERT_TRUE(state.UseTZ);
        EXPECT_EQ(state.TZBias, c.wantBias);
        EXPECT_EQ(state.TZDSTBias, -1499);
        EXPECT_EQ(state.TZDSTStart, c.wantDst);
    }
}

TEST_F(RegistryTest, SaveWritesEveryRowInOrderAndReadsBack) {
    state.English = false;
    state.TimerFontColor = 0xFF00000F;  // a system colour
    state.TimerFontItalic = true;
    state.Mode = kModeUtc;
    state.TimeFormat = 2;
    state.DateFormat = 5;
    state.ModeVisible = state.TZVisible = state.PlayTick = state.SaveOverwritePrompt = false;
    applyZone(state, clock,
              ZoneSelection{"New York", -300, 60, 0, at(2024, 3, 10, 2, 0), at(2024, 11, 3, 2, 0)});
    look = DisplayLook{33,
                       44,
                       "DejaVu Sans",
                       40,
                       LineFont{"Liberation Serif", 11, true, true, 255},
                       LineFont{"Liberation Mono", 9, false, true, 0xFF00},
                       0x123456,
                       200,
                       true};
    ASSERT_TRUE(SaveInfoToReg(reg, state, look, kProgram));
    EXPECT_EQ(reg.commits, 1);
    const std::vector<std::string> order{"ExePath",
                                         "X",
                                         "Y",
                                         "TimerFontColor",
                                         "DateFontColor",
                                         "TZFontColor",
                                         "TimerFontSize",
                                         "DateFontSize",
                                         "TZFontSize",
                                         "TimerFontName",
                                         "DateFontName",
                                         "TZFontName",
                                         "TimerFontBold",
                                         "DateFontBold",
                                         "TZFontBold",
                                         "TimerFontItalic",
                                         "DateFontItalic",
                                         "TZFontItalic",
                                         "TimerBgColor",
                                         "Lang",
                                         "Alpha",
                                         "ButtonsVisible",
                                         "PlayTick",
                                         "Mode",
                                         "ModeVisible",
                                         "TimeFormat",
                                         "ETimeFormat",
                                         "TZVisible",
                                         "DateFormat",
                                         "DateVisible",
                                         "UseTZ",
                                         "TZName",
                                         "TZBias",
                                         "TZDSTBias",
                                         "TZStdBias",
                                         "TZDSTStart",
                                         "TZStdStart",
                                         "SaveOverwritePrompt",
                                         "WorldVisible"};
    EXPECT_EQ(reg.writes, order);

    // Read into a fresh clock and saved again, every value comes back the same.
    ClockState s2;
    setStartValues(s2);
    GetCurrTZName(s2, clock);
    DisplayLook l2;
    EXPECT_FALSE(GetInfoFromReg(reg, shell, s2, l2, env).firstRun);
    EXPECT_EQ(s2.ZoneShift, state.ZoneShift);
    FakeRegistry again;
    SaveInfoToReg(again, s2, l2, kProgram);
    EXPECT_EQ(again.dump(kSettingsKey), reg.dump(kSettingsKey));
}

TEST_F(RegistryTest, WorldLinesSkipBadValuesAndSaveClosesTheGaps) {
    const std::string ny = "300;0;-60;01-11-2026;02:00;08-03-2026;02:00;America/New_York";
    const std::string tokyo = "-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Asia/Tokyo";
    text("World1", ny);
    text("World2", "300;0;nonsense");
    dword("World3", 7);  // not a string
    text("World5", tokyo);
    text("World9", tokyo);  // past the eighth
    dword("WorldVisible", 0);
    read();
    ASSERT_EQ(state.WorldLines.size(), 2u);
    EXPECT_EQ(state.WorldLines[0].Name, "America/New_York");
    EXPECT_EQ(state.WorldLines[1].Name, "Asia/Tokyo");
    EXPECT_FALSE(state.WorldVisible);

    ASSERT_TRUE(SaveInfoToReg(reg, state, look, kProgram));
    EXPECT_EQ(reg.readString(kHKCU, kSettingsKey, "World1"), ny);
    EXPECT_EQ(reg.readString(kHKCU, kSettingsKey, "World2"), tokyo);
    for (const char* gone : {"World3", "World4", "World5", "World8"}) {
        EXPECT_EQ(reg.valueType(kHKCU, kSettingsKey, gone), RegType::Missing) << gone;
    }
}

TEST_F(RegistryTest, WorksWithTheProgramsOwnStore) {
    state.Mode = kModeETime;
    applyZone(state, clock, ZoneSelection{"Tokyo", 540, 0, 0, at(2024, 3, 1, 0, 0), 0});
    look.X = 99;
    state.WorldLines = {WorldLine{}, WorldLine{}};
    state.WorldLines[0].Name = "Mum";
    state.WorldLines[0].Zone = "Asia/Tokyo";
    state.WorldLines[1].Name = "UTC";
    MemoryRegistry store;
    ASSERT_TRUE(SaveInfoToReg(store, state, look, kProgram));
    ClockState s2;
    setStartValues(s2);
    GetCurrTZName(s2, clock);
    DisplayLook l2;
    EXPECT_FALSE(GetInfoFromReg(store, shell, s2, l2, env).firstRun);
    EXPECT_EQ(s2.WorldLines, state.WorldLines);
    FakeRegistry before;
    FakeRegistry after;
    SaveInfoToReg(before, state, look, kProgram);
    SaveInfoToReg(after, s2, l2, kProgram);
    EXPECT_EQ(after.dump(kSettingsKey), before.dump(kSettingsKey));
}

TEST_F(RegistryTest, SaveKeepsThePositionFullScreenReturnsToAndReportsFailure) {
    look.X = 400;  // centred by full screen
    state.FullScreen = true;
    state.SavedLeft = 17;
    state.SavedTop = 23;
    EXPECT_TRUE(SaveInfoToReg(reg, state, look, kProgram));
    EXPECT_EQ(reg.readDWord(kHKCU, kSettingsKey, "X"), 17);
    EXPECT_EQ(reg.readDWord(kHKCU, kSettingsKey, "Y"), 23);

    reg.failCommit = true;
    EXPECT_FALSE(SaveInfoToReg(reg, state, look, kProgram));
    reg.failCommit = false;
    reg.refuseWrites = true;
    EXPECT_FALSE(SaveInfoToReg(reg, state, look, kProgram));
    EXPECT_EQ(reg.openBatches, 0);
}

TEST_F(RegistryTest, ClearRemovesEverythingTheProgramMade) {
    read();
    shell.SetAssoc(kProgram);
    shell.CreateShortcut("Temura", kProgram, "Start Menu");
    EXPECT_TRUE(ClearRegAndExit(reg, shell));
    EXPECT_FALSE(reg.keyExists(kHKCU, kSettingsKey));
    EXPECT_FALSE(shell.associated);
    EXPECT_FALSE(shell.programPathRegistered);
    EXPECT_TRUE(shell.shortcuts.empty());
    EXPECT_TRUE(ClearRegAndExit(reg, shell));  // nothing left: still fine
}

TEST_F(RegistryTest, BuiltInDefaultsLeaveLanguagePositionAndPromptAlone) {
    state.English = false;
    state.SaveOverwritePrompt = false;
    state.Mode = kModeStopwatch;
    state.TimeFormat = 0;
    state.TimerFontColor = 0x00FF00;
    state.TimerFontItalic = true;
    state.FullScreen = true;
    applyZone(state, clock, ZoneSelection{"Tokyo", 540, 0, 0, 0, 0});
    look =
        DisplayLook{500, 300, "X", 9, LineFont{"Y", 20, true, true, 255}, LineFont{}, 7, 9, true};

    const WindowUpdate u = applyBuiltInDefaults(state, look);
    EXPECT_EQ(u.mode, std::uint8_t{kModeTimer});
    EXPECT_EQ(u.fullScreen, FullScreenChange::Close);
    EXPECT_TRUE(state.FullScreen);  // the window's toggle closes the view
    state.FullScreen = false;
    // Compared through everything a settings file holds.
    ClockState fresh;
    setStartValues(fresh);
    DisplayLook freshLook;
    freshLook.X = 500;
    freshLook.Y = 300;
    applyBuiltInDefaults(fresh, freshLook);
    EXPECT_EQ(SaveSettings({}, SettingsGroups{}, state, look),
              SaveSettings({}, SettingsGroups{}, fresh, freshLook));
    EXPECT_FALSE(state.UseTZ);
    EXPECT_EQ(state.ZoneShift, 0);
    EXPECT_FALSE(state.English);
    EXPECT_FALSE(state.SaveOverwritePrompt);
}

TEST_F(RegistryTest, HostileValuesDoNotBreakTheReading) {
    storeNewYork();
    text("Lang", std::string(1 << 20, 'p'));
    text("TimerFontName", std::string("\0\x01\xff\xfe binary", 12));
    text("DateFontName", "\xc3\x28\xa0\xa1");  // not UTF-8
    binary("TZDSTStart", std::vector<std::uint8_t>(1 << 20, 0xAB));
    binary("TZStdStart", {});
    for (int i = 0; i < 10000; ++i) dword(("Junk" + std::to_string(i)).c_str(), i);
    dword("Mode", 2);

    read();
    EXPECT_TRUE(state.English);
    EXPECT_EQ(look.TimerFontName.size(), 12u);
    EXPECT_EQ(look.date.name, "\xc3\x28\xa0\xa1");
    EXPECT_EQ(state.Mode, 2);
    EXPECT_TRUE(state.UseTZ);
    EXPECT_EQ(state.TZDSTStart, 0);
    EXPECT_EQ(state.TZStdStart, 0);
}

}  // namespace
}  // namespace temura
