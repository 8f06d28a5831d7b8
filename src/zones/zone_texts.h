#pragma once

// The time-zone window's texts in both languages (UTF-8).

#include <array>
#include <string>

namespace temura {

constexpr int kZoneColumnCount = 11;

// Every caption of the time-zone window for one language; members are named after the control
// that shows the text. Texts the window keeps the same in both languages (column 9, actOK,
// actEsc, actClose) are here too, so the window reads every caption from one place.
struct ZoneTexts {
    std::string DialogTitle;
    std::string lblName;
    std::string gbGMTBias;
    std::string gbDSTBias;
    std::string gbStdBias;
    std::string lblBiasHour;  // lblGMTBiasHour, lblDSTBiasHour, lblStdBiasHour
    std::string lblBiasMin;   // lblGMTBiasMin, lblDSTBiasMin, lblStdBiasMin
    std::string gbDST;
    std::string gbStd;
    std::string lblStartDay;    // lblDSTDay, lblStdDay
    std::string lblStartMonth;  // lblDSTMonth, lblStdMonth
    std::string lblStartHour;   // lblDSTHour, lblStdHour
    std::string lblStartMin;    // lblDSTMin, lblStdMin
    std::string lblSelZoneTime;

    std::array<std::string, kZoneColumnCount> columns;

    std::string actAdd;
    std::string actRemoveSelected;
    std::string actMoveUp;
    std::string actMoveDown;
    std::string actUpdateTZ;
    std::string actMarkAsUser;
    std::string actMarkAsSystem;
    std::string actCopyInfo;
    std::string actPasteInfo;
    std::string actClear;
    std::string actOK;
    std::string actUse;
    std::string actCancel;
    std::string actEsc;
    std::string actClose;
    std::string actWorld;
    std::string actWorldEarlier;
    std::string actWorldLater;
    std::string actWorldName;
    std::string worldNameLabel;  // the name prompt's caption

    // The update command's two message boxes share the title.
    std::string updateTitle;
    std::string updateQuestion;  // lines joined by CR LF
    std::string updateDone;
    std::string updateFailed;

    // A ninth world line is refused with this message, titled "Temura".
    std::string worldFull;

    // Follow the preview time while the highlighted zone is in one of its windows.
    std::string suffixDaylight;
    std::string suffixStandard;
};

const ZoneTexts& zoneTexts(bool english);

}  // namespace temura
