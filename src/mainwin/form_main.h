#pragma once

#include <QLabel>
#include <QPoint>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <string>

#include "clock/clock_state.h"
#include "clock/text_format.h"
#include "platform/desktop.h"
#include "platform/system_clock.h"

class QAction;
class QActionGroup;

namespace temura {

// What the main window is given from outside; tests pass fakes.
struct MainServices {
    SystemClock& clock;
    Desktop& desktop;
    LocaleNames names;
    std::string programFolder;
};

// The clock window: the time line, the optional date and zone-name lines, the mode letter and
// the stopwatch buttons, driven by its four timers.
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

    // Whether closing saves the settings (off for --screenshot).
    void setSaveOnClose(bool save) { m_saveOnClose = save; }
    // Raising above other windows; off where the platform cannot raise.
    bool raisingEnabled() const { return m_raisingEnabled; }

    QLabel* lblTime = nullptr;
    QLabel* lblDate = nullptr;
    QLabel* lblTZ = nullptr;
    QLabel* lblMode = nullptr;
    QToolButton* btnStart = nullptr;
    QToolButton* btnPause = nullptr;
    QToolButton* btnStop = nullptr;

    QTimer* Timer = nullptr;
    QTimer* TimerS = nullptr;
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createLabels();
    void createButtons();
    void createTimers();
    void createActions();
    QAction* makeAction(const QString& text, const QKeySequence& key, void (TFormMain::*slot)(),
                        bool checkable = false);
    void applyStartLook();
    void setLabelFont(QLabel* label, const QString& family, int pointSize, bool bold, bool italic);
    void setLabelColours(QLabel* label, Colour text, Colour background);
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
    void changeFontSize(int step);
    void showTimeText(const std::string& text);
    void raiseAboveOthers();

    // Dragging the borderless window and snapping it to the screen edges.
    void beginDrag(const QPoint& globalPos);
    void dragTo(const QPoint& globalPos);
    void endDrag();
    void snapToEdges();

    ClockState& m_state;
    MainServices m_services;
    QActionGroup* m_modeGroup = nullptr;
    QTimer* m_snapTimer = nullptr;
    Colour m_timeBackground = 0;
    bool m_saveOnClose = true;
    bool m_raisingEnabled = true;
    bool m_pressed = false;
    bool m_dragging = false;
    bool m_manualDrag = false;
    QPoint m_pressGlobal;
    QPoint m_pressWindowPos;
    QObject* m_pressTarget = nullptr;
};

}  // namespace temura
