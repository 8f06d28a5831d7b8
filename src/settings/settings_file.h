#pragma once

// Settings files: chosen groups of the display settings in the section "SETTINGS" of an ini
// file, written next to whatever else the file holds and applied to the running clock.

#include <optional>
#include <string>

#include "clock/clock_state.h"
#include "clock/date_time.h"
#include "platform/files.h"
#include "settings/display_look.h"
#include "settings/settings_record.h"

namespace temura {

inline constexpr const char* kSettingsSection = "SETTINGS";

// The groups the save-settings dialog offers, in the order they are written.
struct SettingsGroups {
    bool mode = true;      // Mode, ModeVisible
    bool position = true;  // X, Y
    bool timer = true;     // the time line's font and the time and e-Time formats
    bool date = true;      // the date line's font, visibility and format
    bool tzLabel = true;   // the zone-name line's font and visibility
    bool bgColor = true;   // BgColor
    bool other = true;     // Alpha, ButtonsVisible, PlayTick, FullScreen
    bool tz = true;        // the selected zone; written only while one is in use
    bool world = true;     // WorldVisible and World1..; written only while there are lines

    static SettingsGroups none() {
        return {false, false, false, false, false, false, false, false, false};
    }
};

// The file's new contents: `existing` (empty for a new file) with its "SETTINGS" section
// replaced by the ticked groups, added after everything else; no section at all when no group is
// ticked. Every line ends in CR LF.
std::string SaveSettings(const std::string& existing, const SettingsGroups& groups,
                         const ClockState& state, const DisplayLook& look);

// Writes the file atomically: on false (unreadable old file, unwritable folder, full disk) the
// previous file is as it was.
bool saveSettingsFile(Files& files, const std::string& path, const SettingsGroups& groups,
                      const ClockState& state, const DisplayLook& look);

// Applies the file's "SETTINGS" section to the state and to `look`, which must be the window's
// current look (absent keys leave it as it is). Nothing is applied, and `applied` is false, when
// the section holds no key. Uses the desktop size, monthFirst and the clock of `env`.
WindowUpdate LoadSettings(const std::string& bytes, ClockState& state, DisplayLook& look,
                          const SettingsEnv& env);
// The same for a file on disk; a missing or unreadable file applies nothing.
WindowUpdate loadSettingsFile(const Files& files, const std::string& path, ClockState& state,
                              DisplayLook& look, const SettingsEnv& env);

// "yyyy-MM-dd HH:mm:ss", the time left out when it is 00:00:00.
std::string settingsDateTimeText(DateTime value);
// "yyyy-MM-dd", "dd-MM-yyyy" or, with monthFirst, "MM-dd-yyyy", optionally followed by blanks and
// "HH:mm" or "HH:mm:ss"; every field but the year may have one or two digits. Empty when the
// text does not parse or names no valid date-time.
std::optional<DateTime> parseSettingsDateTime(const std::string& text, bool monthFirst);

}  // namespace temura
