// Settings files: any bytes load without harm and leave every setting in its range; what was
// loaded, saved with every group and loaded again gives the same settings.

#include <string>

#include "fuzz/fuzz_check.h"
#include "settings/settings_file.h"
#include "support/fake_system_clock.h"

namespace {

using namespace temura;

constexpr int kDesktopWidth = 2560;
constexpr int kDesktopHeight = 1440;

bool sameSettings(const ClockState& a, const DisplayLook& la, const ClockState& b,
                  const DisplayLook& lb) {
    const auto sameLine = [](const LineFont& x, const LineFont& y) {
        return x.name == y.name && x.size == y.size && x.bold == y.bold && x.italic == y.italic &&
               x.colour == y.colour;
    };
    return la.X == lb.X && la.Y == lb.Y && la.TimerFontName == lb.TimerFontName &&
           la.TimerFontSize == lb.TimerFontSize && sameLine(la.date, lb.date) &&
           sameLine(la.tz, lb.tz) && la.TimerBgColor == lb.TimerBgColor && la.Alpha == lb.Alpha &&
           la.ButtonsVisible == lb.ButtonsVisible && a.Mode == b.Mode &&
           a.ModeVisible == b.ModeVisible && a.TimeFormat == b.TimeFormat &&
           a.ETimeFormat == b.ETimeFormat && a.DateFormat == b.DateFormat &&
           a.DateVisible == b.DateVisible && a.TZVisible == b.TZVisible &&
           a.TimerFontColor == b.TimerFontColor && a.TimerFontBold == b.TimerFontBold &&
           a.TimerFontItalic == b.TimerFontItalic && a.PlayTick == b.PlayTick &&
           a.UseTZ == b.UseTZ && a.TZName == b.TZName && a.TZBias == b.TZBias &&
           a.TZDSTBias == b.TZDSTBias && a.TZStdBias == b.TZStdBias &&
           a.TZDSTStart == b.TZDSTStart && a.TZStdStart == b.TZStdStart &&
           a.ZoneInDST == b.ZoneInDST && a.ZoneInStd == b.ZoneInStd && a.ZoneShift == b.ZoneShift;
}

bool fontSizeOk(int size, int untouched) {
    return size == untouched || (size >= 2 && size <= 160);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = temura::fuzz::bytesOf(data, size);
    test::FakeSystemClock clock;
    clock.setLocal(2024, 3, 31, 2, 30);
    clock.setWarsawWinter();
    // The input's first byte picks the date order, so both readings are fuzzed.
    const SettingsEnv env{
        clock,         "/opt/temura/temura", 1920,  1080,
        kDesktopWidth, kDesktopHeight,       false, size > 0 && (data[0] & 1) != 0};

    const ClockState startState;
    const DisplayLook startLook;
    ClockState state = startState;
    DisplayLook look = startLook;
    const WindowUpdate update = LoadSettings(bytes, state, look, env);

    FUZZ_CHECK(look.X >= -10 && look.X < kDesktopWidth);
    FUZZ_CHECK(look.Y >= -10 && look.Y < kDesktopHeight);
    FUZZ_CHECK(fontSizeOk(look.TimerFontSize, startLook.TimerFontSize));
    FUZZ_CHECK(fontSizeOk(look.date.size, startLook.date.size));
    FUZZ_CHECK(fontSizeOk(look.tz.size, startLook.tz.size));
    FUZZ_CHECK(look.Alpha >= 1 && look.Alpha <= 255);
    FUZZ_CHECK(state.Mode <= kModeStopwatch);
    FUZZ_CHECK(state.TimeFormat <= 2 && state.ETimeFormat <= 2 && state.DateFormat <= 5);
    FUZZ_CHECK(state.TZBias >= -1499 && state.TZBias <= 1499);
    FUZZ_CHECK(!look.TimerFontName.empty() && !look.date.name.empty() && !look.tz.name.empty());
    FUZZ_CHECK(update.applied || (update.fullScreen == FullScreenChange::None && !update.mode &&
                                  !update.zoneChanged));
    if (!update.applied) return 0;

    const std::string saved = SaveSettings(bytes, SettingsGroups{}, state, look);
    ClockState state2 = startState;
    DisplayLook look2 = startLook;
    const WindowUpdate update2 = LoadSettings(saved, state2, look2, env);
    FUZZ_CHECK(update2.applied);
    FUZZ_CHECK(sameSettings(state, look, state2, look2));
    // Saving what was loaded from a saved file changes nothing.
    FUZZ_CHECK(SaveSettings(saved, SettingsGroups{}, state2, look2) == saved);
    return 0;
}
