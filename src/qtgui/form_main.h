#pragma once

#include <QLabel>
#include <QPoint>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "clock/clock_state.h"
#include "clock/stopwatch.h"
#include "clock/text_format.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system_clock.h"
#include "platform/tick_player.h"
#include "qtgui/form_main_world.h"
#include "qtgui/text_width_memo.h"
#include "qtgui/window_drag.h"
#include "settings/display_look.h"
#include "settings/settings_record.h"
#include "ui/main_rules.h"

class QAction;
class QFile;
class QActionGroup;
class QMenu;
class QSystemTrayIcon;

namespace temura {

// What the main window is given from outside; tests pass fakes.
struct MainServices {
    SystemClock& clock;
    Desktop& desktop;
    TickPlayer& ticks;
    LocaleNames names;
    std::string programFolder;
    // Where the tick file, the help and the defaults file are looked up, in order.
    std::vector<std::string> dataFolders;
    // Settings and shell; without them (tests of the window alone) nothing is stored.
    Registry* registry = nullptr;
    Shell* shell = nullptr;
    Files* files = nullptr;
    std::string programPath;
    std::string userFolder;
    std::vector<std::string> clockArgs;  // the command line without the program's "--" options
};

class PopupMenu;
class TFormAbout2;
class TFormFullScreen;
class TFormOptions;
class TFormSave;
class TFormTimeZones;

// The clock window: the time line, the optional date and zone-name lines, the mode letter and
// the stopwatch buttons, driven by its timers.
class TFormMain : public QWidget {
    Q_OBJECT

  public:
    TFormMain(ClockState& state, MainServices services, QWidget* parent = nullptr);
    ~TFormMain() override;

    ClockState& state() { return m_state; }

    // Full re-layout now, and the deferred one that coalesces bursts of requests.
    void SetSize();
    void SetSize2();
    void SetModeStr();
    void SetClPaused();
    void TimerTimer();   // the display tick
    void TimerSTimer();  // the slow tick
    void WMTimeChange();
    void FormActivate();
    void showZoneChanged();  // after a zone was applied or switched off elsewhere
    // After the world lines or their visibility changed elsewhere: redraws and re-lays out.
    void worldLinesChanged();
    // The look of the lines, the opacity, the buttons and the position, and back.
    void applyLook(const DisplayLook& look);
    DisplayLook currentLook() const;
    // Brings the check marks and visibilities in line with ClockState.
    void syncFromState();
    // Shows what the settings code put into ClockState and the look.
    void applyWindowUpdate(const WindowUpdate& update, const DisplayLook& look);
    // Applies a settings file to the running clock; nothing for a missing or empty file.
    void loadSettings(const std::string& path);
    // The settings file named on the command line, once the other windows exist.
    void loadStartupFile();
    const std::string& startupFile() const { return m_startupFile; }
    SettingsEnv settingsEnv() const;
    // Removes every stored trace of the program and quits without saving.
    void clearRegistryAndQuit();
    // Saves the settings (the close does this).
    bool saveSettingsToRegistry();
    void actDefaultExecute();

  signals:
    void languageChanged();
    // A setting the options window shows has changed.
    void settingsChanged();
    // The selected zone was switched off or another one taken into use.
    void zoneChanged();
    // A settings file was loaded; its path becomes the save dialog's default name.
    void settingsFileLoaded(const QString& path);

  public:
    void SetLang();
    void SetHint();
    void PlayIt();
    // PlayIt's conditions: the tick is on and the clock is on the screen without the About box.
    bool tickWouldPlay() const;
    void SetbTickFile();
    void TimerPTimer();

    // The full-screen window is created after this one and handed over.
    void setFullScreenWindow(TFormFullScreen* window);
    // Windows whose visibility stops the clock raising itself (dialogs, about box).
    void addRaiseBlocker(QWidget* window) { m_raiseBlockers.push_back(window); }
    // Ties a window of the clock's to it, so that the clock never covers it.
    void keepAboveTheClock(QWidget* window);
    void setAboutBox(TFormAbout2* about);
    // The time-zone window behind actSelectTimeZone; it follows the language and reports zones.
    void setTimeZonesWindow(TFormTimeZones* window);
    // The options window behind actOptions and the load and save items, and its save window.
    void setOptionsWindows(TFormOptions* options, TFormSave* save);
    // Builds those windows on first use and hands them over through the two setters above:
    // most runs of a clock never open them, and they would cost start-up time and memory.
    void setWindowMaker(std::function<void()> make);
    // Windows minimising to the tray closes.
    void addCloseOnMinimize(QWidget* window) { m_closeOnMinimize.push_back(window); }

    const QString& applicationTitle() const { return m_appTitle; }
    QString hintText() const;
    PopupMenu* popMain = nullptr;
    QMenu* popCti = nullptr;
    QMenu* popIncDecStopwatch = nullptr;
    QMenu* popTimeZone = nullptr;
    QSystemTrayIcon* cti = nullptr;
    void popMainPopup();
    void popCtiPopup();

    // Whether closing saves the settings (off for --screenshot).
    void setSaveOnClose(bool save) { m_saveOnClose = save; }
    // Raising above other windows; off where the platform cannot raise.
    bool raisingEnabled() const { return m_raisingEnabled; }
    // Whether the display tick may raise the clock now: not over an open menu, dialog or
    // file dialog, nor while hidden in the tray.
    bool raisingAllowed() const;

    QLabel* lblTime = nullptr;
    QLabel* lblDate = nullptr;
    QLabel* lblTZ = nullptr;
    QLabel* lblMode = nullptr;
    WorldLinesView* worldLines = nullptr;  // in the zone-name line's font and colour
    QToolButton* btnStart = nullptr;
    QToolButton* btnPause = nullptr;
    QToolButton* btnStop = nullptr;

    QTimer* Timer = nullptr;
    QTimer* TimerS2 = nullptr;
    QTimer* TimerP = nullptr;

    QAction* actSetModeT = nullptr;
    QAction* actSetModeE = nullptr;
    QAction* actSetModeW = nullptr;
    QAction* actSetModeU = nullptr;
    QAction* actSetModeS = nullptr;
    QAction* actChangeMode = nullptr;
    QAction* actChangeTimeFormat = nullptr;
    QAction* actChangeETimeFormat = nullptr;
    QAction* actChangeDateFormat = nullptr;
    QAction* actFontSizePlus = nullptr;
    QAction* actFontSizeMinus = nullptr;
    QAction* actFontBold = nullptr;
    QAction* actFontItalic = nullptr;
    QAction* actShowMode = nullptr;
    QAction* actShowDate = nullptr;
    QAction* actShowTZName = nullptr;
    QAction* actShowButtons = nullptr;
    QAction* actSysClock = nullptr;
    QAction* actDefaultTimeZone = nullptr;
    QAction* actClose = nullptr;
    QAction* actStart = nullptr;
    QAction* actPause = nullptr;
    QAction* actStop = nullptr;
    QAction* actClear = nullptr;
    QAction* actStoperIncSec = nullptr;
    QAction* actStoperDecSec = nullptr;
    QAction* actStoperIncMin = nullptr;
    QAction* actStoperDecMin = nullptr;
    QAction* actPlayTick = nullptr;
    QAction* actFullScreen = nullptr;
    QAction* actWorldLines = nullptr;
    QAction* actOptions = nullptr;
    QAction* actHelp = nullptr;
    QAction* actAbout = nullptr;
    QAction* actMinimize = nullptr;
    QAction* actRestore = nullptr;
    QAction* actChangeLanguage = nullptr;
    QAction* actDefault = nullptr;
    QAction* actSelectTimeZone = nullptr;
    QAction* actLoadSettings = nullptr;
    QAction* actSaveSettings = nullptr;
    // Menu items of their own (captions carry the shortcut text) and the section headers.
    QAction* popFontSizePlus = nullptr;
    QAction* popFontSizeMinus = nullptr;
    QAction* popSep1 = nullptr;
    QAction* popSep2 = nullptr;
    QAction* popSep3 = nullptr;
    QAction* popCtiRestore = nullptr;
    QAction* popCtiTimer = nullptr;
    QAction* popCtiBMT = nullptr;
    QAction* popCtiWindows = nullptr;
    QAction* popCtiUTC = nullptr;
    QAction* popCtiStopwatch = nullptr;
    QAction* popCtiExit = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void createLabels();
    void createButtons();
    void createTimers();
    void createActions();
    void createStopwatchActions();
    void createMenuActions();
    void createMenus();
    void createTray();
    void applyStopwatch(const StopwatchEffects& effects);
    void readStoredSettings();
    void applyCommandLine();
    void applyStartPosition();
    void setTimeColour(Colour colour);
    QAction* makeAction(const QString& text, const QKeySequence& key, void (TFormMain::*slot)(),
                        bool checkable = false);
    void applyStartLook();
    void setLabelFont(QLabel* label, const QString& family, int pointSize, bool bold, bool italic);
    void setLabelColours(QWidget* label, Colour text, Colour background);
    void updateWindowBackground();

    void setMode(std::uint8_t mode);
    void lblModeClick();
    void lblTimeDblClick();
    void actChangeTimeFormatExecute();
    void actChangeETimeFormatExecute();
    void actChangeDateFormatExecute();
    void actFontSizePlusExecute();
    void actFontSizeMinusExecute();
    void actFontBoldExecute();
    void actFontItalicExecute();
    void actShowModeExecute();
    void actShowDateExecute();
    void actShowTZNameExecute();
    void actShowButtonsExecute();
    void actSysClockExecute();
    void actDefaultTimeZoneExec();
    void actCloseExecute();
    void actPlayTickExecute();
    void actFullScreenExecute();
    void actWorldLinesExecute();
    // New texts for the world lines; answers whether any changed.
    bool refreshWorldLines();
    void enterFullScreen();
    void leaveFullScreen();
    void actHelpExecute();
    void actMinimizeExecute();
    void actRestoreExecute();
    void actChangeLanguageExecute();
    void makeWindows();
    void actSelectTimeZoneExecute();
    void actOptionsExecute();
    void actLoadSettingsExecute();
    void actSaveSettingsExecute();
    void changeFontSize(int step);
    void showTimeText(const std::string& text);
    void runDisplayTickOnce();
    void raiseAboveOthers();

    // Dragging the borderless window and snapping it to the screen edges.
    int textWidthOf(const QLabel* label, const QString& text);
    void measureInk(LayoutInput& in);
    void endDrag();
    void snapToEdges();

    ClockState& m_state;
    MainServices m_services;
    QActionGroup* m_modeGroup = nullptr;
    QTimer* m_snapTimer = nullptr;
    Colour m_timeBackground = 0;
    Colour m_timeColour = 0;
    Colour m_dateColour = 0xFFFFFF;
    Colour m_tzColour = 0xFFFFFF;
    std::int32_t m_alpha = 255;
    QString m_appTitle = QStringLiteral("Temura");
    QString m_trayTip;
    QString m_hint;
    std::map<const QLabel*, TextWidthMemo> m_textWidths;
    TFormFullScreen* m_fullScreen = nullptr;
    TFormAbout2* m_about = nullptr;
    std::vector<QWidget*> m_raiseBlockers;
    std::function<void()> m_windowMaker;
    TFormTimeZones* m_timeZones = nullptr;
    TFormOptions* m_options = nullptr;
    QString m_loadedFile;  // the settings file loaded last, for a save window made later
    std::vector<QWidget*> m_closeOnMinimize;
    std::string m_startupFile;
    QFile* m_trace = nullptr;
    std::uint32_t m_lastSlowTick = 0;  // tick count of the last slow tick
    bool m_startFullScreen = false;
    bool m_centreOnShow = false;
    std::optional<int> m_startX;  // "x=" and "y=" as given, clamped once the window is laid out
    std::optional<int> m_startY;
    bool m_saveOnClose = true;
    bool m_raisingEnabled = true;
    WindowDrag m_drag{*this};
    QObject* m_pressTarget = nullptr;
};

}  // namespace temura
