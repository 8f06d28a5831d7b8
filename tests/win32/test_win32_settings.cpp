#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <variant>

#include "clock/date_time.h"
#include "clock/zone_arithmetic.h"
#include "platform/win32/win32_registry.h"
#include "settings/settings_record.h"
#include "support/fake_shell.h"
#include "support/fake_system_clock.h"
#include "support/stored_values.h"
#include "win32/win32_test_support.h"

// The settings record against the real registry: what the core tests show with an in-memory
// store must hold with RegQueryValueEx and RegSetValueEx underneath.

namespace temura {
namespace {

using test::bytesOf;

constexpr RegRoot kHKCU = RegRoot::CurrentUser;

using Stored = std::variant<std::string, std::int32_t, std::vector<std::uint8_t>>;

// Every value of the settings key, by name, as RegEnumValueW lists it.
std::map<std::string, Stored> storedValues() {
    std::map<std::string, Stored> out;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, win32::widen(kSettingsKey).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return out;
    }
    Win32Registry reg;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        DWORD type = 0;
        if (RegEnumValueW(key, i, name, &length, nullptr, &type, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        const std::string n = win32::narrow(std::wstring(name, length));
        switch (reg.valueType(kHKCU, kSettingsKey, n)) {
            case RegType::String:
                out[n] = *reg.readString(kHKCU, kSettingsKey, n);
                break;
            case RegType::DWord:
                out[n] = *reg.readDWord(kHKCU, kSettingsKey, n);
                break;
            case RegType::Binary:
                out[n] = *reg.readBinary(kHKCU, kSettingsKey, n);
                break;
            default:
                out[n] = std::string("<other type>");
        }
    }
    RegCloseKey(key);
    return out;
}

class Win32Settings : public ::testing::Test {
  protected:
    Win32Settings() {
        clock.setWarsawWinter();
        clock.setLocal(2024, 1, 15, 12, 0);
        setStartValues(state);
        GetCurrTZName(state, clock);
        reg.deleteKey(kHKCU, kSettingsKey);
    }
    ~Win32Settings() override { reg.deleteKey(kHKCU, kSettingsKey); }

    RegistryReadResult read() { return GetInfoFromReg(reg, shell, state, look, env); }

    const std::string program = std::string("C:\\Programy\\") + test::kNonAscii + "\\temura.exe";
    test::FakeSystemClock clock;
    SettingsEnv env{clock, program, 1024, 768, 1024, 768, false, false};
    Win32Registry reg;
    test::FakeShell shell;
    ClockState state;
    DisplayLook look;
};

TEST_F(Win32Settings, FirstRunFillsEveryRowButTheZoneOnes) {
    const RegistryReadResult r = read();
    EXPECT_TRUE(r.firstRun);
    EXPECT_EQ(shell.log, std::vector<std::string>{"create Temura " + program + " Desktop"});

    const std::int32_t white = 0xFFFFFF;
    const std::map<std::string, Stored> expected = {
        {"ExePath", program},
        {"X", 512},
        {"Y", 384},
        {"TimerFontColor", white},
        {"DateFontColor", white},
        {"TZFontColor", white},
        {"TimerBgColor", 0},
        {"TimerFontSize", 14},
        {"DateFontSize", 8},
        {"TZFontSize", 8},
        {"TimerFontBold", 1},
        {"DateFontBold", 0},
        {"TZFontBold", 0},
        {"TimerFontItalic", 0},
        {"DateFontItalic", 0},
        {"TZFontItalic", 0},
        {"TimerFontName", std::string("MS Sans Serif")},
        {"DateFontName", std::string("Arial")},
        {"TZFontName", std::string("Arial")},
        {"Lang", std::string("en")},
        {"Alpha", 255},
        {"ButtonsVisible", 0},
        {"ModeVisible", 1},
        {"TZVisible", 1},
        {"PlayTick", 1},
        {"Mode", 0},
        {"TimeFormat", 1},
        {"ETimeFormat", 1},
        {"DateVisible", 1},
        {"DateFormat", 2},
        {"UseTZ", 0},
        {"SaveOverwritePrompt", 1},
        {"WorldVisible", 1},
    };
    EXPECT_EQ(storedValues(), expected);

    shell.log.clear();
    EXPECT_FALSE(read().firstRun);
    EXPECT_TRUE(shell.log.empty());
}

TEST_F(Win32Settings, RepairRulesHoldForStoredValues) {
    const auto field = [this](const std::string& name) -> long long {
        if (name == "X") return look.X;
        if (name == "TimerFontSize") return look.TimerFontSize;
        if (name == "Mode") return state.Mode;
        if (name == "DateFormat") return state.DateFormat;
        if (name == "Alpha") return look.Alpha;
        return -999;
    };
    const struct {
        const char* name;
        std::int32_t stored;
        long long expected;
    } cases[] = {{"X", 5000, 512}, {"X", -3, 10},        {"TimerFontSize", 300, 160},
                 {"Mode", -1, 0},  {"DateFormat", 6, 5}, {"Alpha", 0x1234, 0x34}};
    for (const auto& c : cases) {
        reg.deleteKey(kHKCU, kSettingsKey);
        ASSERT_TRUE(reg.writeDWord(kHKCU, kSettingsKey, c.name, c.stored));
        read();
        EXPECT_EQ(field(c.name), c.expected) << c.name << " " << c.stored;
        // Only what the clock takes is repaired; the stored value stays.
        EXPECT_EQ(reg.readDWord(kHKCU, kSettingsKey, c.name), c.stored) << c.name;
    }

    // A value of another type counts as missing: its default replaces it.
    reg.writeString(kHKCU, kSettingsKey, "DateFontSize", "12");
    const wchar_t expand[] = L"%WINDIR%";
    ASSERT_TRUE(test::writeRawValue(HKEY_CURRENT_USER, kSettingsKey, "TimerFontName", REG_EXPAND_SZ,
                                    expand, sizeof expand));
    read();
    EXPECT_EQ(look.date.size, 8);
    EXPECT_EQ(look.TimerFontName, "MS Sans Serif");
    EXPECT_EQ(reg.readDWord(kHKCU, kSettingsKey, "DateFontSize"), 8);
    EXPECT_EQ(reg.readString(kHKCU, kSettingsKey, "TimerFontName"), "MS Sans Serif");
}

TEST_F(Win32Settings, SaveThenReadGivesBackEveryField) {
    state.English = false;
    state.TimerFontColor = 0xFF00000F;
    state.Mode = kModeUtc;
    look.X = 300;
    look.TimerFontName = test::kNonAscii;
    look.Alpha = 128;
    const DateTime dst = *tryEncodeDateTime(2024, 3, 10, 2, 0, 0, 0);
    const DateTime standard = *tryEncodeDateTime(2024, 11, 3, 2, 0, 0, 0);
    applyZone(state, clock, ZoneSelection{"New York", -300, 60, 0, dst, standard});

    ASSERT_TRUE(SaveInfoToReg(reg, state, look, program));
    EXPECT_EQ(storedValues().size(), 39u);  // every row, the zone rows too
    EXPECT_EQ(reg.readString(kHKCU, kSettingsKey, "ExePath"), program);
    EXPECT_EQ(reg.readBinary(kHKCU, kSettingsKey, "TZDSTStart"), bytesOf(dst));

    ClockState fresh;
    setStartValues(fresh);
    GetCurrTZName(fresh, clock);
    DisplayLook freshLook;
    const RegistryReadResult r = GetInfoFromReg(reg, shell, fresh, freshLook, env);
    EXPECT_FALSE(r.firstRun);
    EXPECT_TRUE(r.update.zoneChanged);
    EXPECT_FALSE(fresh.English);
    EXPECT_EQ(fresh.TimerFontColor, state.TimerFontColor);
    EXPECT_EQ(fresh.Mode, kModeUtc);
    EXPECT_EQ(freshLook.X, 300);
    EXPECT_EQ(freshLook.TimerFontName, test::kNonAscii);
    EXPECT_EQ(freshLook.Alpha, 128);
    EXPECT_EQ(fresh.TZName, "New York");
    EXPECT_EQ(fresh.TZDSTStart, dst);
    EXPECT_EQ(fresh.TZStdStart, standard);
    EXPECT_EQ(fresh.ZoneShift, state.ZoneShift);
}

}  // namespace
}  // namespace temura
