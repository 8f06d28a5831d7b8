#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "settings/settings_file.h"
#include "wingui/dialog_window.h"
#include "wingui/win_prompts.h"

namespace temura::wingui {

class TFormMain;

// The save-settings window: which groups of the display settings go into a settings file, and
// the file's name. It stays open after a save so that several files can be written in turn.
class TFormSave : public DialogWindow {
  public:
    // Control ids; Save is IDOK so that Enter presses it.
    enum Id : int {
        kMode = 101,
        kPosition,
        kTimer,
        kDate,
        kTZLabel,
        kBgColor,
        kOther,
        kTZ,
        kWorld,
        kSelectAll,
        kUnselectAll,
        kOverwritePrompt,
        kFileName,
        kBrowse,
        kCancel,  // not IDCANCEL, which Esc sends with no control
        kSave = IDOK,
    };
    static constexpr UINT_PTR kStatusTimer = 1;

    // `userFolder` is where Browse starts while the name box is blank. Follows the clock's
    // language, zone and loaded settings files.
    TFormSave(TFormMain& main, Files& files, WinPrompts& prompts, std::string userFolder);
    ~TFormSave() override;

    // The opener of the options window's Save button and of the clock's Ctrl+S.
    void open();
    // Refreshes from the running state: a blank name box gets the default name, and the zone
    // group is offered only while a zone is in use.
    void GetInfo();
    void SetLang();
    // The name Browse picked last or the settings file loaded last; offered by GetInfo.
    const std::string& defaultFileName() const { return m_defaultFileName; }
    void setDefaultFileName(const std::string& path);
    // The ticked groups; a greyed-out zone group counts as cleared.
    SettingsGroups groups() const;

    void actSaveExecute();
    void actBrowseExecute();
    void actSelectAllExecute();
    void actUnselectAllExecute();
    void TimerTimer();  // clears the status line
    bool statusTimerRunning() const { return m_timerRunning; }
    void setStatusInterval(UINT ms) { m_statusMs = ms; }  // 5 s; tests wait less

    HWND lblInfo, chMode, chPosition, chTimer, chDate, chTZLabel, chBgColor, chOther;
    HWND lblOtherInfo1, lblOtherInfo2, chTZ, chWorld, SpeedButton1, SpeedButton2, chOverwritePrompt;
    HWND lblFileName, edFileName, btnBrowse, btnSave, btnCancel, lblStatus;

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCommand(int id, int code, HWND control) override;

  private:
    std::vector<HWND> groupBoxes() const;
    void applyTexts(bool english);
    // Places the controls for a client width; the measures cover both languages, so the window
    // does not change its shape with the language.
    void measure();
    void layout(int clientWidth);
    void showStatus(const std::string& text);
    void startStatusTimer();
    // The file the name box stands for; empty while it is blank.
    std::string targetPath() const;

    TFormMain& m_main;
    Files& m_files;
    WinPrompts& m_prompts;
    std::string m_userFolder;
    std::string m_defaultFileName;
    RECT m_panel{};  // the etched frame around everything but the status line
    UINT m_statusMs = 5000;
    bool m_timerRunning = false;
    // From measure(), in pixels.
    int m_col1 = 0;         // width of the left column of groups
    int m_col2 = 0;         // width of the right column
    int m_otherIndent = 0;  // the Other explanation starts under its box's text
    int m_selectWidth = 0;  // each of Select all / Unselect all
    int m_overwriteWidth = 0;
    int m_fileLabelWidth = 0;
    int m_buttonWidth = 0;  // Browse, Save, Cancel
    int m_minClientWidth = 0;
    int m_windowHeight = 0;
    int m_minWindowWidth = 0;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);  // for the clock's listeners
};

}  // namespace temura::wingui
