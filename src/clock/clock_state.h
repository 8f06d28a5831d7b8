#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "clock/date_time.h"
#include "zones/world_line.h"

namespace temura {

// Colours are 0x00BBGGRR; 0xFF in the top byte marks a system colour whose index is the low byte.
using Colour = std::uint32_t;

enum Mode : std::uint8_t {
    kModeTimer = 0,
    kModeETime = 1,
    kModeWindows = 2,
    kModeUtc = 3,
    kModeStopwatch = 4,
};

// The one record every window reads and writes; lives for the whole run.
struct ClockState {
    std::uint8_t Mode = kModeTimer;
    std::uint8_t TimeFormat = 0;
    std::uint8_t ETimeFormat = 0;
    std::uint8_t DateFormat = 0;
    bool DateVisible = false;
    bool ModeVisible = false;
    bool TZVisible = false;
    bool English = false;  // the language flag: false = Polish, true = English

    // The selected zone; its figures are east-positive minutes.
    bool UseTZ = false;
    std::string TZName;
    std::int32_t TZBias = 0;
    std::int32_t TZDSTBias = 0;
    std::int32_t TZStdBias = 0;
    DateTime TZDSTStart = 0;
    DateTime TZStdStart = 0;
    bool ZoneInDST = false;
    bool ZoneInStd = false;
    // 64 bits so that no stored bias can overflow the sum.
    std::int64_t ZoneShift = 0;
    std::int64_t PreviewShift = 0;

    // The world lines, in the user's order, and whether they are shown.
    std::vector<WorldLine> WorldLines;
    bool WorldVisible = true;

    // Snapshot of the system zone, in the system's convention (UTC = local + bias).
    bool SysInDST = false;
    bool SysInStd = false;
    std::int32_t SysBias = 0;
    std::int32_t SysStandardBias = 0;
    std::int32_t SysDaylightBias = 0;
    std::string SysZoneName;

    std::uint32_t StopwatchStartTick = 0;
    bool StopwatchPaused = false;
    bool StopwatchStopped = false;
    bool StopwatchEverStarted = false;
    std::string StopwatchReading;
    std::int16_t LastTickValue = 0;
    bool PlayTick = false;
    bool bTickFile = false;
    std::string TickFilePath;

    Colour TimerFontColor = 0;
    Colour PausedColor = 0;
    bool TimerFontBold = false;
    bool TimerFontItalic = false;
    std::int32_t FormWidthCalc = 0;
    std::int32_t FormHeightCalc = 0;
    std::int32_t CaptionExtra = 0;
    std::int32_t TextMarginX = 0;
    std::int32_t ModeGapX = 0;
    bool InTray = false;
    bool FullScreen = false;
    std::int32_t SavedLeft = 0;
    std::int32_t SavedTop = 0;
    bool FileDialogOpen = false;

    Colour SeparatorColor = 0;
    std::string SeparatorFontName;
    std::int32_t SeparatorFontSize = 0;

    std::string SysZonesFile;
    std::string UserZonesFile;
    std::string TZRegKey;
    bool SaveOverwritePrompt = false;
};

}  // namespace temura
