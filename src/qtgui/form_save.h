#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <array>
#include <string>

#include "platform/files.h"
#include "qtgui/prompts.h"
#include "settings/settings_file.h"

class QAction;

namespace temura {

class TFormMain;

// The save-settings window: which groups of the display settings go into a settings file, and
// the file's name. It stays open after a save so that several files can be written in turn.
class TFormSave : public QDialog {
    Q_OBJECT

  public:
    // `userFolder` is where Browse starts. Connects itself to the main window's language, zone
    // and settings-file signals.
    TFormSave(TFormMain& main, Files& files, Prompts& prompts, std::string userFolder,
              QWidget* parent = nullptr);

    // Refreshes from the running state: a blank name box gets the default name, and the zone
    // group is offered only while a zone is in use.
    void GetInfo();
    void SetLang();
    // The name Browse picked last or the settings file loaded last; offered by GetInfo.
    const QString& defaultFileName() const { return m_defaultFileName; }
    void setDefaultFileName(const QString& path);
    // The ticked groups; a greyed-out zone group counts as cleared.
    SettingsGroups groups() const;

    void actSaveExecute();
    void actBrowseExecute();
    void actSelectAllExecute();
    void actUnselectAllExecute();
    void TimerTimer();  // clears the status line

    QLabel* lblInfo = nullptr;
    QCheckBox* chMode = nullptr;
    QCheckBox* chPosition = nullptr;
    QCheckBox* chTimer = nullptr;
    QCheckBox* chDate = nullptr;
    QCheckBox* chTZLabel = nullptr;
    QCheckBox* chBgColor = nullptr;
    QCheckBox* chOther = nullptr;
    QLabel* lblOtherInfo1 = nullptr;
    QLabel* lblOtherInfo2 = nullptr;
    QCheckBox* chTZ = nullptr;
    QCheckBox* chWorld = nullptr;
    QPushButton* SpeedButton1 = nullptr;  // select all
    QPushButton* SpeedButton2 = nullptr;  // unselect all
    QCheckBox* chOverwritePrompt = nullptr;
    QLabel* lblFileName = nullptr;
    QLineEdit* edFileName = nullptr;
    QPushButton* btnBrowse = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnCancel = nullptr;
    QLabel* lblStatus = nullptr;
    QAction* actEsc = nullptr;
    QTimer* Timer = nullptr;  // 5 s; a second save does not restart it

  private:
    void buildControls();
    void applyTexts(bool english);
    void showStatus(const std::string& text);
    // The file the name box stands for; empty while it is blank.
    QString targetPath() const;
    // The group check boxes, in the order of the file's groups.
    std::array<QCheckBox*, 9> groupBoxes() const;

    TFormMain& m_main;
    Files& m_files;
    Prompts& m_prompts;
    std::string m_userFolder;
    QString m_defaultFileName;
    QFrame* m_panel = nullptr;
};

}  // namespace temura
