#pragma once

// The main window's texts in both languages (UTF-8) and the clock's hint.

#include <string>

#include "clock/clock_state.h"
#include "platform/system_clock.h"

namespace temura {

// Every caption and hint of the main window and its two menus for one language; members are
// named after the control that shows the text.
// Picks a caption in the language of the flag; every window's text table is built with one.
struct LangPick {
    bool english = true;
    std::string operator()(const char* en, const char* pl) const { return english ? en : pl; }
};

struct MainTexts {
    std::string actStartHint;
    std::string actPauseHint;
    std::string popStart;
    std::string popPause;
    std::string popShowButtons;
    std::string actPlayTick;
    std::string actOptions;
    std::string actClose;
    std::string actAbout;
    std::string actHelp;
    std::string popMode;
    std::string actSetModeS;
    std::string actSetModeT;
    std::string popFont;
    std::string popFontSizePlus;
    std::string popFontSizeMinus;
    std::string actShowMode;
    std::string popTimeZone;
    std::string actDefaultTimeZone;  // carries the system zone's current name
    std::string actSelectTimeZone;
    std::string popIncDecStopwatch;
    std::string actSetModeE;
    std::string actSetModeU;
    std::string actMinimize;
    std::string actRestore;
    std::string actFontBold;
    std::string actFontItalic;
    std::string actShowTZName;
    std::string actShowDate;
    std::string actFullScreen;
    std::string actWorldLines;
    std::string actDefault;
    std::string actDefaultHint;
    std::string actLoadSettings;  // the options window's actions, also on the popup menu
    std::string actSaveSettings;

    // The same in both languages.
    std::string actSetModeW;
    std::string actStopHint;
    std::string popStop;
    std::string actStoperIncSec;
    std::string actStoperDecSec;
    std::string actStoperIncMin;
    std::string actStoperDecMin;
    std::string actChangeLanguage;

    // The tray menu repeats the captions of the actions it runs.
    std::string popCtiRestore;
    std::string popCtiTimer;
    std::string popCtiBMT;
    std::string popCtiWindows;
    std::string popCtiUTC;
    std::string popCtiStopwatch;
    std::string popCtiExit;

    // The owner-drawn section headers and exit item of the popup menu.
    std::string popSep1;
    std::string popSep2;
    std::string popSep3;
    std::string popExit;
};

// Texts for s.English, with s.SysZoneName in the default-zone caption.
MainTexts mainTexts(const ClockState& s);

// The exit item's text: the caption, eleven spaces, then the shortcut's text.
std::string exitItemText(const std::string& caption, const std::string& shortcut);

// The tray icon's tip for the text the time line shows.
std::string trayTip(const std::string& timeText);

// The clock's hint: lines joined by CR LF, describing the mode and, for a selected zone, its
// figures.
std::string composeHint(const ClockState& s);
// The same followed by one line per shown world line, judged at the UTC moment `utc`.
std::string composeHint(const ClockState& s, const SystemTime& utc);

}  // namespace temura
