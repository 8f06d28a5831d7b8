#pragma once

// The settings record: every persisted field with its registry value name, type, default and
// repair rule, read at start, written at close and wiped on request.

#include <cstdint>
#include <optional>
#include <string>

#include "clock/clock_state.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_clock.h"
#include "settings/display_look.h"

namespace temura {

inline constexpr const char* kSettingsKey = "Software\\Corvalen\\Temura\\1.0";

// What the reading needs to know of its surroundings.
struct SettingsEnv {
    const SystemClock& clock;  // for a stored zone's daylight state and shift
    std::string programPath;
    // The primary screen: defaults and centring.
    int screenWidth = 0;
    int screenHeight = 0;
    // The whole virtual desktop: the repair and clamp rules of a stored or loaded position, so a
    // clock kept on a second monitor stays there.
    int desktopWidth = 0;
    int desktopHeight = 0;
    bool localePolish = false;
    // The user's short date puts the month before the day (settings-file date-times).
    bool monthFirst = false;
};

enum class FullScreenChange { None, Open, Close };

// What the main window does after settings were put into ClockState and DisplayLook, in this
// order: applyLook(look) and syncFromState(); enter `mode` through its action; run
// actFullScreen once when `fullScreen` is not None (the state still holds the old FullScreen,
// so the toggle lands on the new one); showZoneChanged() when `zoneChanged`; then SetSize,
// SetClPaused, SetModeStr and the slow tick. Nothing at all when `applied` is false.
struct WindowUpdate {
    bool applied = false;
    std::optional<std::uint8_t> mode;
    FullScreenChange fullScreen = FullScreenChange::None;
    bool zoneChanged = false;
};

struct RegistryReadResult {
    WindowUpdate update;
    bool firstRun = false;  // the settings key was missing; the desktop shortcut was asked for
};

// Reads the settings key into the state, writing the default of every missing row first.
// Registers the program path and, on a first run, asks for the desktop shortcut; neither can
// stop the reading. Each row stands on its own: a missing, wrongly typed or malformed value
// gives that row's default.
RegistryReadResult GetInfoFromReg(Registry& registry, Shell& shell, ClockState& state,
                                  DisplayLook& look, const SettingsEnv& env);

// Writes every row in the save order, as one batch. False when a write or the batch failed.
bool SaveInfoToReg(Registry& registry, const ClockState& state, const DisplayLook& look,
                   const std::string& programPath);

// Removes the association, the program path, the settings key and both shortcuts. The caller
// then quits without the close-time save, which would recreate the key. True when the settings
// key is gone.
bool ClearRegAndExit(Registry& registry, Shell& shell);

// The built-in display defaults. The language, the position and SaveOverwritePrompt stay.
// The caller decides between this and loading "default.temura".
WindowUpdate applyBuiltInDefaults(ClockState& state, DisplayLook& look);

// The repair rules, shared with the settings-file reader where the two agree.
namespace settings_rules {
constexpr std::int32_t kMaxZoneOffset = 1499;
std::int32_t clampZoneOffset(std::int32_t minutes);
// Only the low 8 bits count, and a window is never wholly invisible.
std::int32_t opacity(std::int32_t value);
DateTime finiteOrZero(DateTime value);
// The window's position to keep: where full screen will return to while it is on.
int keptLeft(const ClockState& state, const DisplayLook& look);
int keptTop(const ClockState& state, const DisplayLook& look);
}  // namespace settings_rules

}  // namespace temura
