#pragma once

// The save-settings window's rules: its texts in both languages, the file name it writes to and
// the question it asks before writing over a file.

#include <string>

namespace temura {

// Every caption of the save-settings window for one language; members are named after the
// control that shows the text.
struct SaveTexts {
    std::string caption;
    std::string lblInfo;
    std::string chMode;
    std::string chPosition;
    std::string chTimer;
    std::string chDate;
    std::string chTZLabel;
    std::string chBgColor;
    std::string chOther;
    std::string lblOtherInfo1;
    std::string lblOtherInfo2;
    std::string chTZ;
    std::string chWorld;
    std::string actSelectAll;
    std::string actUnselectAll;
    std::string chOverwritePrompt;
    std::string lblFileName;
    std::string actBrowse;
    std::string actSave;
    std::string actCancel;
};

SaveTexts saveTexts(bool english);

enum class SaveOutcome { Saved, Failed, Cancelled };

// The status line after a save.
std::string saveStatusText(SaveOutcome outcome, bool english);

// The filter of the settings-file dialogs, in the Windows form "label|pattern".
std::string settingsFileFilter(bool english);

inline constexpr const char* kSettingsExtension = "temura";

// The file a typed name stands for: blanks around it trimmed, a relative name joined to
// `currentFolder` and normalised (in the system's own separators), an absolute one kept as typed,
// and ".temura" added when the name has no extension of its own. Empty when the name is blank.
std::string settingsFilePath(const std::string& typed, const std::string& currentFolder);

// The question before writing over an existing file; lines end in CR LF.
std::string overwriteQuestion(const std::string& path, bool english);

}  // namespace temura
