#pragma once

// The options window's pages, control ids and key commands, shared by its two source files.

namespace temura::wingui {

enum OptionsPage { kPageMain, kPageFonts, kPageFormat, kPageLang, kPageRegistry };

enum OptionsId : int {
    kIdPages = 1000,
    kIdDefault,
    kIdSave,
    kIdLoad,
    kIdBgColor,
    kIdAlpha,
    // The seven check boxes of the main page, in this order.
    kIdShowMode,
    kIdShowDate,
    kIdShowTZ,
    kIdShowWorld,
    kIdPlayTick,
    kIdShortcut,
    kIdMenuStart,
    // Each font group's controls: the group's first id plus an offset.
    kIdTimeGroup = 1100,
    kIdDateGroup = 1120,
    kIdZoneGroup = 1140,
    kIdTimerToDate = 1200,
    kIdDateToTimer,
    kIdTimerToTZ,
    kIdTZToTimer,
    kIdDateToTZ,
    kIdTZToDate,
    kIdTimeFormat = 1300,   // + TimeFormat
    kIdETimeFormat = 1310,  // + ETimeFormat
    kIdDateFormat = 1320,   // + DateFormat
    kIdEnglish = 1400,
    kIdPolish,
    kIdDelReg = 1500,
    // The window's keys.
    kAccF6 = 900,
    kAccF7,
    kAccF8,
    kAccF9,
    kAccF11,
    kAccLoad,
    kAccSave,
    kAccClose,
};

inline constexpr int kSizeOffset = 0;
inline constexpr int kUpDownOffset = 1;
inline constexpr int kColourOffset = 2;
inline constexpr int kFontsOffset = 3;
inline constexpr int kBoldOffset = 4;
inline constexpr int kItalicOffset = 5;

}  // namespace temura::wingui
