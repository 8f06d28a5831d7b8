#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clock/clock_state.h"
#include "clock/text_format.h"
#include "platform/files.h"
#include "platform/system_clock.h"
#include "platform/zone_table_source.h"
#include "qtgui/prompts.h"
#include "qtgui/zone_icons_qt.h"
#include "zones/zone_list.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace temura {

// The zone table the update command rebuilds the system zones from, for the given year.
using ZoneTableFactory = std::function<std::unique_ptr<ZoneTableSource>(int year)>;

// The time-zone window: browses and edits the zone catalogue, previews the highlighted zone's
// time, takes a zone into use and chooses the world lines (ClockState::WorldLines). Every rule
// lives in ZoneList and the world-choice rules; this class renders them and forwards the user's
// actions.
class TFormTimeZones : public QWidget {
    Q_OBJECT

  public:
    TFormTimeZones(ClockState& state, const SystemClock& clock, Files& files,
                   ZoneTableFactory zoneTable, Prompts& prompts, LocaleNames names,
                   QWidget* parent = nullptr);

    // Enabling of the actions and edit groups from the selection (the main window calls it
    // after showing the window).
    void InitAll();
    // Every caption in the language of ClockState::English; kind texts in the rows stay.
    void SetLang();
    // Writes the catalogue files when the list holds unsaved changes (program end).
    void saveIfModified();
    // The shortcut of the main window's select-zone command, which closes this window too.
    void setCloseKey(const QKeySequence& key);

    // The first load of the list; TimerTZ runs it once, half a second after creation.
    void TimerTZTimer();
    // The preview labels; Timer1 runs it while the window is visible.
    void Timer1Timer();

    // The number cell keeps its row's ZoneIcon under this role.
    static constexpr int IconIndexRole = Qt::UserRole;

    ZoneList& list() { return m_list; }
    const ZoneList& list() const { return m_list; }

    QTableWidget* lv = nullptr;
    QMenu* popLv = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnUp = nullptr;
    QPushButton* btnDown = nullptr;
    QPushButton* Button3 = nullptr;  // update
    QLabel* lblName = nullptr;
    QLineEdit* edName = nullptr;
    QGroupBox* gbGMTBias = nullptr;
    QGroupBox* gbDSTBias = nullptr;
    QGroupBox* gbStdBias = nullptr;
    QGroupBox* gbDST = nullptr;
    QGroupBox* gbStd = nullptr;
    // The edit-and-spin pairs (edGMTBiasHour/udGMTBiasHour ...), in ZoneField order.
    std::array<QSpinBox*, kZoneFieldCount> spin{};
    // Their captions ("Hour :", "Day :" ...), in the same order.
    std::array<QLabel*, kZoneFieldCount> spinLabel{};
    QPushButton* Button1 = nullptr;  // copy
    QPushButton* Button2 = nullptr;  // paste
    QPushButton* Button4 = nullptr;  // clear
    QPushButton* Button7 = nullptr;  // OK
    QLabel* lblSelZoneTime = nullptr;
    QLabel* lblTZTime = nullptr;
    QLabel* lblTZDate = nullptr;
    QPushButton* btnWorld = nullptr;
    QPushButton* btnUse = nullptr;
    QPushButton* btnCancel = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* TimerTZ = nullptr;

    QAction* actAdd = nullptr;
    QAction* actRemoveSelected = nullptr;
    QAction* actMoveUp = nullptr;
    QAction* actMoveDown = nullptr;
    QAction* actUpdateTZ = nullptr;
    QAction* actMarkAsUser = nullptr;
    QAction* actMarkAsSystem = nullptr;
    QAction* actCopyInfo = nullptr;
    QAction* actPasteInfo = nullptr;
    QAction* actClear = nullptr;
    QAction* actOK = nullptr;
    QAction* actUse = nullptr;
    QAction* actCancel = nullptr;
    QAction* actEsc = nullptr;
    QAction* actClose = nullptr;
    QAction* actWorld = nullptr;  // checked while the selected zone has a line
    QAction* actWorldEarlier = nullptr;
    QAction* actWorldLater = nullptr;
    QAction* actWorldName = nullptr;

  signals:
    // A zone was taken into use: the clock state's zone fields changed.
    void zoneUsed();
    // ClockState::WorldLines changed: the clock redraws and resizes.
    void worldLinesChanged();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createActions();
    void createList();
    QWidget* createLeftPanel();
    QWidget* createEditPanel();
    QWidget* createBottomPanel();
    QGroupBox* createSpinGroup(ZoneField first, int count, int columns);

    // Re-renders everything the list and its edit fields show.
    void render();
    void renderRows();
    void renderSelection();
    void renderFields();
    // The "Clock" column and the world commands, after the lines changed here or elsewhere.
    void renderWorld();
    void worldEdited();
    void lvSelectItem();
    void afterAction(void (ZoneList::*action)());

    void actUseExecute();
    void actUpdateTZExecute();
    void actAddExecute();
    void actOKExecute();
    void actWorldExecute();
    void actWorldMoveExecute(int step);
    void actWorldNameExecute();
    void enterPressed();

    ClockState& m_state;
    const SystemClock& m_clock;
    Files& m_files;
    ZoneTableFactory m_zoneTable;
    Prompts& m_prompts;
    LocaleNames m_names;
    ZoneList m_list;
    std::array<QIcon, kZoneIconCount> m_icons;
    // The lines the "Clock" column shows; a settings file may replace them behind our back.
    std::vector<WorldLine> m_shownLines;
    // Set while the widgets are brought in line with the model, so their change signals do not
    // travel back into it.
    bool m_rendering = false;
};

}  // namespace temura
