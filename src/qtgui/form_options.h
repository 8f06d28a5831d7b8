#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <array>
#include <string>

#include "clock/clock_state.h"
#include "platform/shell.h"
#include "qtgui/prompts.h"
#include "ui/options_rules.h"

class QAction;

namespace temura {

class TFormMain;
class TFormSave;

// A coloured rectangle: a left click (press and release on it) asks for a new colour, a right
// press sets the default one.
class ColourSwatch : public QFrame {
    Q_OBJECT

  public:
    explicit ColourSwatch(QWidget* parent = nullptr);
    void setColour(Colour colour);
    Colour colour() const { return m_colour; }

  signals:
    void leftClicked();
    void rightPressed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Colour m_colour = 0;
    bool m_leftDown = false;
};

// A font size in points: changed with the arrows only, never typed.
class FontSizeBox : public QSpinBox {
    Q_OBJECT

  public:
    explicit FontSizeBox(QWidget* parent = nullptr);
};

// The options window: the look of the clock's lines, what the clock shows, the formats, the
// language, and the settings-file, registry and shortcut commands. Every control applies at
// once; the clock itself is the preview.
class TFormOptions : public QDialog {
    Q_OBJECT

  public:
    // `shell` may be null (the shortcut boxes are then disabled). `userFolder` is where the
    // open dialog starts, `programPath` what a shortcut starts. Connects itself to the main
    // window's settings and language signals.
    TFormOptions(TFormMain& main, TFormSave& save, Shell* shell, Prompts& prompts,
                 std::string userFolder, std::string programPath, QWidget* parent = nullptr);

    // Fills every control from the running state.
    void GetInfo();
    void SetLang();
    // GetInfo, then show and activate: what the main window's Options command does.
    void open();
    // Load settings... and Save settings...: also what the main window's commands of the same
    // names run.
    void actLoadSettingsExecute();
    void actSaveSettingsExecute();

    // The window sizes of the Fonts page and of every other page.
    PageSize compactSize() const { return m_compact; }
    PageSize fontsPageSize() const { return m_fontsPage.window; }

    QTabWidget* pc = nullptr;
    QWidget* tsMain = nullptr;
    QWidget* tsFonts = nullptr;
    QWidget* tsFormat = nullptr;
    QWidget* tsLang = nullptr;
    QWidget* tsRegistry = nullptr;
    QPushButton* btnDefault = nullptr;
    QPushButton* btnSaveSettings = nullptr;
    QPushButton* btnLoadSettings = nullptr;

    QLabel* lblBg = nullptr;
    ColourSwatch* shBgColor = nullptr;
    QLabel* lblTransparency = nullptr;
    QSlider* tbAlpha = nullptr;
    QLabel* lblAlpha = nullptr;
    QCheckBox* chShowMode = nullptr;
    QCheckBox* chShowDate = nullptr;
    QCheckBox* chShowTZ = nullptr;
    QCheckBox* chShowWorld = nullptr;
    QCheckBox* chPlayTick = nullptr;
    QCheckBox* chShortcut = nullptr;
    QCheckBox* chMenuStart = nullptr;

    // One group per line of the clock; same controls in each.
    struct FontGroup {
        QGroupBox* box = nullptr;
        QLabel* lblSize = nullptr;
        FontSizeBox* size = nullptr;
        QLabel* lblColor = nullptr;
        ColourSwatch* colour = nullptr;
        QLabel* lblName = nullptr;
        QComboBox* fonts = nullptr;
        QLabel* lblStyle = nullptr;
        QCheckBox* bold = nullptr;
        QCheckBox* italic = nullptr;
    };
    FontGroup gbFont;      // the time line
    FontGroup gbDateFont;  // the date line
    FontGroup gbTZFont;    // the zone-name line
    QToolButton* btnTimerToDate = nullptr;
    QToolButton* btnDateToTimer = nullptr;
    QToolButton* btnTimerToTZ = nullptr;
    QToolButton* btnTZToTimer = nullptr;
    QToolButton* btnDateToTZ = nullptr;
    QToolButton* btnTZToDate = nullptr;

    QGroupBox* gbTimeFormat = nullptr;
    QGroupBox* gbETimeFormat = nullptr;
    QGroupBox* gbDateFormat = nullptr;
    std::array<QRadioButton*, 3> rbTimeFormat{};   // rbTFShort, rbTFMid, rbTFLong
    std::array<QRadioButton*, 3> rbETimeFormat{};  // rbETFShort, rbETFMid, rbETFLong
    // rbDFLongNames, rbDFShortNames, rbDFLongDay, rbDFShortDay, rbDFShort, rbDFRev
    std::array<QRadioButton*, 6> rbDateFormat{};

    QGroupBox* gbLang = nullptr;
    QRadioButton* rbEn = nullptr;
    QRadioButton* rbPl = nullptr;
    QPushButton* btnDelReg = nullptr;

    QAction* actEsc = nullptr;
    QAction* actClose = nullptr;  // the main window's Options key
    QAction* actLoadSettings = nullptr;
    QAction* actSaveSettings = nullptr;
    QAction* actF6 = nullptr;
    QAction* actF7 = nullptr;
    QAction* actF8 = nullptr;
    QAction* actF9 = nullptr;
    QAction* actF11 = nullptr;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildMainPage();
    void buildFontsPage();
    void buildFormatPage();
    void buildLangPage();
    void buildRegistryPage();
    void buildActions();
    FontGroup makeFontGroup(const QStringList& families);
    void connectFontGroup(const FontGroup& group, ClockLine line);
    void placePages();
    void placeButtons();
    void pcChange();
    void applyTexts(bool english);

    void tbAlphaChange();
    void chooseColour(ColourSwatch* swatch, Swatch which);
    void setColour(ColourSwatch* swatch, Swatch which, Colour colour);
    void copyFont(ClockLine from, ClockLine to);
    void changeFontSize(ClockLine line, int size);
    void changeFontName(ClockLine line, const QString& name);
    void changeFontStyle(ClockLine line, bool bold, bool italic);
    void setShown(bool ClockState::*field, bool shown);
    void setShortcut(const char* location, bool wanted);
    void rbEnClick();
    void btnDelRegClick();

    TFormMain& m_main;
    TFormSave& m_save;
    Shell* m_shell;
    Prompts& m_prompts;
    std::string m_userFolder;
    std::string m_programPath;
    std::array<QColor, 5> m_customColours;
    QButtonGroup* m_timeFormats = nullptr;
    QButtonGroup* m_eTimeFormats = nullptr;
    QButtonGroup* m_dateFormats = nullptr;
    std::array<QFrame*, 4> m_bevels{};  // join the side copy buttons to their groups
    PageSize m_compact;
    FontsPage m_fontsPage;
    bool m_filling = false;  // GetInfo is writing the controls: their handlers stay quiet
};

}  // namespace temura
