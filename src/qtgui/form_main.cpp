#include "qtgui/form_main.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QToolTip>
#include <QWindow>

#include "clock/zone_arithmetic.h"
#include "qtgui/colour_qt.h"
#include "qtgui/form_about.h"
#include "qtgui/form_full_screen.h"
#include "qtgui/painted_icons.h"
#include "qtgui/popup_menu.h"
#include "qtgui/text_qt.h"
#include "ui/data_file_rules.h"
#include "ui/lang_rules.h"
#include "ui/main_rules.h"
#include "zones/world_line.h"

namespace temura {

namespace {

constexpr int kButtonSize = 16;
constexpr int kSnapDistance = 5;
constexpr int kModeLeft = 1;  // the mode letter's left edge

int zeroHeight(const QLabel* label) {
    return QFontMetrics(label->font()).height();
}

}  // namespace

TFormMain::TFormMain(ClockState& state, MainServices services, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      m_state(state),
      m_services(std::move(services)) {
    // The offscreen platform cannot raise windows and warns on every attempt.
    m_raisingEnabled = QGuiApplication::platformName() != QLatin1String("offscreen");

    CalcZoneShift(m_state, m_services.clock);
    ReadSysZone(m_state, m_services.clock);
    setWindowTitle(QStringLiteral("Temura"));
    setWindowIcon(appIcon());
    SetbTickFile();
    setStartValues(m_state);
    resize(161, 138);

    createLabels();
    createButtons();
    createTimers();
    createActions();
    createStopwatchActions();
    createMenuActions();
    createMenus();
    createTray();

    if (m_services.shell) m_services.shell->SetAssoc(m_services.programPath);
    GetCurrTZName(m_state, m_services.clock);
    applyStartLook();
    readStoredSettings();
    applyCommandLine();

    lblTime->setText(qs(placeholderTimeText(m_state)));
    lblDate->setText(
        qs(DateText(m_services.clock.localTime(), 0, m_state.DateFormat, m_services.names)));
    SetLang();
    SetClPaused();
    SetModeStr();
    SetSize();
    SetSize2();
    applyStartPosition();  // "x=" and "y=" clamp with the size every switch has given

    m_services.clock.setTimeChangeHandler([this] { WMTimeChange(); });

    // For measuring: each change of the time line with the wall-clock time it happened at.
    const QString tracePath = qEnvironmentVariable("TEMURA_TRACE_TICKS");
    if (!tracePath.isEmpty()) {
        m_trace = new QFile(tracePath, this);
        if (!m_trace->open(QIODevice::WriteOnly | QIODevice::Truncate)) m_trace = nullptr;
    }
}

TFormMain::~TFormMain() {
    m_services.clock.setTimeChangeHandler({});
}

void TFormMain::createLabels() {
    lblTime = new QLabel(this);
    lblDate = new QLabel(this);
    lblTZ = new QLabel(this);
    lblMode = new QLabel(this);
    for (QLabel* l : {lblTime, lblDate, lblTZ}) {
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        l->setToolTipDuration(5000);
        l->installEventFilter(this);
    }
    lblTZ->hide();
    worldLines = new WorldLinesView(this);
    worldLines->setToolTipDuration(5000);
    worldLines->installEventFilter(this);
    worldLines->hide();
    lblMode->setText(QStringLiteral("W"));
    QFont modeFont = lblMode->font();
    modeFont.setStyleStrategy(QFont::PreferNoShaping);
    modeFont.setPointSize(7);
    lblMode->setFont(modeFont);
    lblMode->setAttribute(Qt::WA_TranslucentBackground);
    lblMode->installEventFilter(this);
    lblMode->raise();
}

void TFormMain::createButtons() {
    btnStart = new QToolButton(this);
    btnPause = new QToolButton(this);
    btnStop = new QToolButton(this);
    btnStart->setIcon(startIcon());
    btnPause->setIcon(pauseIcon());
    btnStop->setIcon(stopIcon());
    for (QToolButton* b : {btnStart, btnPause, btnStop}) {
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedHeight(kButtonSize);
        b->setIconSize(QSize(12, 12));
        b->hide();
    }
}

void TFormMain::createTimers() {
    // The display tick wakes only when the shown text can change (see scheduleDisplayTick).
    Timer = new QTimer(this);
    Timer->setTimerType(Qt::PreciseTimer);
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, &TFormMain::TimerTimer);
    Timer->start(0);

    TimerS2 = new QTimer(this);
    TimerS2->setSingleShot(true);
    TimerS2->setInterval(150);
    connect(TimerS2, &QTimer::timeout, this, &TFormMain::SetSize);

    TimerP = new QTimer(this);
    TimerP->setInterval(500);
    connect(TimerP, &QTimer::timeout, this, &TFormMain::TimerPTimer);

    m_snapTimer = new QTimer(this);
    m_snapTimer->setSingleShot(true);
    m_snapTimer->setInterval(250);
    connect(m_snapTimer, &QTimer::timeout, this, [this] {
        if (QGuiApplication::mouseButtons() != Qt::NoButton) {
            m_snapTimer->start();
            return;
        }
        endDrag();
    });
}

QAction* TFormMain::makeAction(const QString& text, const QKeySequence& key,
                               void (TFormMain::*slot)(), bool checkable) {
    auto* a = new QAction(text, this);
    if (!key.isEmpty()) a->setShortcut(key);
    a->setCheckable(checkable);
    a->setShortcutContext(Qt::WindowShortcut);
    if (slot) connect(a, &QAction::triggered, this, slot);
    addAction(a);
    return a;
}

void TFormMain::createActions() {
    m_modeGroup = new QActionGroup(this);
    m_modeGroup->setExclusive(true);
    const struct {
        QAction** action;
        const char* text;
        const char* key;
        std::uint8_t mode;
    } modes[] = {
        {&actSetModeT, "Timer", "Ctrl+1", kModeTimer},
        {&actSetModeE, "BMT (e-Time)", "Ctrl+2", kModeETime},
        {&actSetModeW, "Windows", "Ctrl+3", kModeWindows},
        {&actSetModeU, "Universal time - UTC", "Ctrl+4", kModeUtc},
        {&actSetModeS, "Stopwatch", "Ctrl+5", kModeStopwatch},
    };
    for (const auto& m : modes) {
        auto* a = new QAction(QString::fromUtf8(m.text), this);
        a->setShortcut(QKeySequence(QString::fromLatin1(m.key)));
        a->setCheckable(true);
        a->setData(m.mode);
        m_modeGroup->addAction(a);
        addAction(a);
        const std::uint8_t mode = m.mode;
        connect(a, &QAction::triggered, this, [this, mode] { setMode(mode); });
        *m.action = a;
    }
    actSetModeT->setChecked(true);

    actChangeMode =
        makeAction({}, QKeySequence(QStringLiteral("Ctrl+Shift+M")), &TFormMain::lblModeClick);
    actChangeTimeFormat = makeAction({}, QKeySequence(QStringLiteral("Ctrl+Shift+T")),
                                     &TFormMain::actChangeTimeFormatExecute);
    actChangeETimeFormat = makeAction({}, QKeySequence(QStringLiteral("Ctrl+Shift+E")),
                                      &TFormMain::actChangeETimeFormatExecute);
    actChangeDateFormat = makeAction({}, QKeySequence(QStringLiteral("Ctrl+Shift+A")),
                                     &TFormMain::actChangeDateFormatExecute);
    actFontSizePlus =
        makeAction(QStringLiteral("Font size + 1"), {}, &TFormMain::actFontSizePlusExecute);
    // Ctrl with the "=" / "+" key, whether or not Shift is needed to reach "+".
    actFontSizePlus->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    actFontSizeMinus =
        makeAction(QStringLiteral("Font size - 1"), QKeySequence(Qt::CTRL | Qt::Key_Minus),
                   &TFormMain::actFontSizeMinusExecute);
    actFontBold = makeAction(QStringLiteral("Bold"), QKeySequence(QStringLiteral("Ctrl+B")),
                             &TFormMain::actFontBoldExecute, true);
    actFontItalic = makeAction(QStringLiteral("Italic"), QKeySequence(QStringLiteral("Ctrl+I")),
                               &TFormMain::actFontItalicExecute, true);
    actShowMode = makeAction(QStringLiteral("Show mode symbol"), QKeySequence(Qt::Key_F6),
                             &TFormMain::actShowModeExecute, true);
    actShowDate = makeAction(QStringLiteral("Show date"), QKeySequence(Qt::Key_F7),
                             &TFormMain::actShowDateExecute, true);
    actShowTZName = makeAction(QStringLiteral("Show time zone name"), QKeySequence(Qt::Key_F8),
                               &TFormMain::actShowTZNameExecute, true);
    actShowButtons = makeAction(QStringLiteral("Show stoper buttons"), QKeySequence(Qt::Key_F5),
                                &TFormMain::actShowButtonsExecute, true);
    actSysClock = makeAction({}, QKeySequence(QStringLiteral("Ctrl+Shift+C")),
                             &TFormMain::actSysClockExecute);
    actDefaultTimeZone = makeAction({}, QKeySequence(QStringLiteral("Ctrl+Shift+D")),
                                    &TFormMain::actDefaultTimeZoneExec);
    actClose = makeAction(QStringLiteral("Exit"), QKeySequence(Qt::Key_Escape),
                          &TFormMain::actCloseExecute);
}

// The built-in look, until stored settings replace it.
void TFormMain::applyStartLook() {
    m_state.TimerFontBold = true;
    m_state.TimerFontItalic = false;
    m_state.ModeVisible = true;
    m_state.TZVisible = true;
    m_state.PlayTick = true;
    DisplayLook look;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    look.X = screen.width() / 2;
    look.Y = screen.height() / 2;
    applyLook(look);
}

void TFormMain::applyLook(const DisplayLook& look) {
    m_timeBackground = look.TimerBgColor;
    setLabelFont(lblTime, qs(look.TimerFontName), look.TimerFontSize, m_state.TimerFontBold,
                 m_state.TimerFontItalic);
    setLabelFont(lblDate, qs(look.date.name), look.date.size, look.date.bold, look.date.italic);
    setLabelFont(lblTZ, qs(look.tz.name), look.tz.size, look.tz.bold, look.tz.italic);
    setLabelColours(lblTime, m_state.TimerFontColor, m_timeBackground);
    m_timeColour = m_state.TimerFontColor;
    setLabelColours(lblDate, look.date.colour, m_timeBackground);
    setLabelColours(lblTZ, look.tz.colour, m_timeBackground);
    worldLines->setFont(lblTZ->font());
    setLabelColours(worldLines, look.tz.colour, m_timeBackground);
    m_dateColour = look.date.colour;
    m_tzColour = look.tz.colour;
    actShowButtons->setChecked(look.ButtonsVisible);
    for (QToolButton* b : {btnStart, btnPause, btnStop}) b->setVisible(look.ButtonsVisible);
    if (m_fullScreen) m_fullScreen->setBackground(toQColor(m_timeBackground));
    setWindowOpacity(static_cast<double>(look.Alpha & 0xFF) / 255.0);
    m_alpha = look.Alpha & 0xFF;
    move(look.X, look.Y);
    syncFromState();
}

DisplayLook TFormMain::currentLook() const {
    DisplayLook look;
    look.X = x();
    look.Y = y();
    look.TimerFontName = lblTime->font().family().toStdString();
    look.TimerFontSize = lblTime->font().pointSize();
    const auto lineFont = [](const QLabel* l, Colour colour) {
        LineFont f;
        f.name = l->font().family().toStdString();
        f.size = l->font().pointSize();
        f.bold = l->font().bold();
        f.italic = l->font().italic();
        f.colour = colour;
        return f;
    };
    look.date = lineFont(lblDate, m_dateColour);
    look.tz = lineFont(lblTZ, m_tzColour);
    look.TimerBgColor = m_timeBackground;
    look.Alpha = m_alpha;
    look.ButtonsVisible = actShowButtons->isChecked();
    return look;
}

void TFormMain::syncFromState() {
    actFontBold->setChecked(m_state.TimerFontBold);
    actFontItalic->setChecked(m_state.TimerFontItalic);
    actShowMode->setChecked(m_state.ModeVisible);
    actShowDate->setChecked(m_state.DateVisible);
    actShowTZName->setChecked(m_state.TZVisible);
    actPlayTick->setChecked(m_state.PlayTick);
    actFullScreen->setChecked(m_state.FullScreen);
    actWorldLines->setChecked(m_state.WorldVisible);
    for (QAction* a : m_modeGroup->actions()) a->setChecked(a->data().toInt() == m_state.Mode);
    lblMode->setVisible(m_state.ModeVisible);
    lblDate->setVisible(m_state.DateVisible);
    updateWindowBackground();
}

void TFormMain::setLabelFont(QLabel* label, const QString& family, int pointSize, bool bold,
                             bool italic) {
    QFont f(family);
    // Digits, dates and zone names need no text shaping; skipping it halves the cost of
    // drawing and measuring the time at every tick (scripts that need shaping still get it).
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setPointSize(pointSize);
    f.setBold(bold);
    f.setItalic(italic);
    label->setFont(f);
}

void TFormMain::setLabelColours(QWidget* label, Colour text, Colour background) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, toQColor(text));
    p.setColor(QPalette::Window, toQColor(background));
    label->setPalette(p);
}

void TFormMain::updateWindowBackground() {
    QPalette p = palette();
    const bool buttons = actShowButtons->isChecked();
    p.setColor(QPalette::Window, toQColor(buttons ? kSysColourButtonFace : m_timeBackground));
    setPalette(p);
    setAutoFillBackground(true);
}

// ---- layout ----

int TFormMain::textWidthOf(const QLabel* label, const QString& text) {
    return m_textWidths[label].width(label->font(), text);
}

void TFormMain::measureInk(LayoutInput& in) {
    if (!m_state.ModeVisible) return;
    in.modeLeft = kModeLeft;
    in.modeInkRight = m_textWidths[lblMode].ink(lblMode->font(), lblMode->text()).right();
    in.timeInkLeft = m_textWidths[lblTime].ink(lblTime->font(), lblTime->text()).left();
}

void TFormMain::SetSize() {
    LayoutInput in;
    in.timeTextWidth = textWidthOf(lblTime, lblTime->text());
    in.zeroHeightTime = zeroHeight(lblTime);
    in.modeVisible = m_state.ModeVisible;
    in.modeTextWidth = textWidthOf(lblMode, lblMode->text());
    measureInk(in);
    in.dateVisible = m_state.DateVisible;
    in.dateTextWidth = textWidthOf(lblDate, lblDate->text());
    in.zeroHeightDate = zeroHeight(lblDate);
    in.tzShown = tzLineShown(m_state);
    in.tzLabelHeight = zeroHeight(lblTZ);
    in.textMarginX = m_state.TextMarginX;
    in.modeGapX = m_state.ModeGapX;
    in.buttonsShown = actShowButtons->isChecked();
    in.buttonHeight = kButtonSize;
    if (in.tzShown) {
        lblTZ->setText(qs(tzLineText(m_state)));
        in.tzTextWidth = textWidthOf(lblTZ, lblTZ->text());
    }
    refreshWorldLines();
    const bool world = worldLinesShown(m_state);
    if (world) {
        in.worldCount = static_cast<int>(m_state.WorldLines.size());
        in.worldLineHeight = worldLines->lineHeight();
        in.worldTextWidth = worldLines->widestWidth();
    }
    m_state.CaptionExtra = 0;  // no title bar
    in.captionExtra = m_state.CaptionExtra;

    const Layout out = computeLayout(in);
    m_state.FormWidthCalc = out.width;
    m_state.FormHeightCalc = out.formHeightCalc;
    const int width = std::max(out.width, out.minWidth);
    setMinimumWidth(out.minWidth);

    lblTime->setGeometry(0, 0, width, out.timeHeight);
    int top = out.timeHeight;
    lblDate->setVisible(m_state.DateVisible);
    if (m_state.DateVisible) {
        lblDate->setGeometry(0, top, width, in.zeroHeightDate);
        top += in.zeroHeightDate;
    }
    lblTZ->setVisible(in.tzShown);
    if (in.tzShown) lblTZ->setGeometry(0, top, width, in.tzLabelHeight);
    worldLines->setVisible(world);
    if (world) {
        worldLines->setTextLeft(out.worldLeft);
        worldLines->setGeometry(0, out.worldTop, width, in.worldCount * in.worldLineHeight);
    }
    lblMode->setVisible(m_state.ModeVisible);
    lblMode->adjustSize();
    lblMode->move(kModeLeft, 1);
    lblMode->raise();
    for (QToolButton* b : {btnStart, btnPause, btnStop}) b->move(b->x(), out.buttonsTop);
    resize(width, out.windowHeight);
}

void TFormMain::SetSize2() {
    TimerS2->start();
}

void TFormMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const ButtonRow row = buttonRow(width());
    const int top = btnStart->y();
    btnStart->setGeometry(row.startLeft, top, row.width, kButtonSize);
    btnPause->setGeometry(row.pauseLeft, top, row.width, kButtonSize);
    btnStop->setGeometry(row.stopLeft, top, row.width, kButtonSize);
    if (lblTime->width() != width()) {
        for (QWidget* l : std::initializer_list<QWidget*>{lblTime, lblDate, lblTZ, worldLines})
            l->resize(width(), l->height());
    }
}

void TFormMain::SetModeStr() {
    if (const auto mode = modeString(m_state)) {
        lblMode->setText(qs(*mode));
        lblMode->adjustSize();
    }
    QPalette p = lblMode->palette();
    p.setColor(QPalette::WindowText, toQColor(m_state.PausedColor));
    lblMode->setPalette(p);
    SetHint();
    SetSize2();
    TimerSTimer();
}

void TFormMain::SetClPaused() {
    m_state.PausedColor = pausedColour(resolveColour(m_state.TimerFontColor));
}

// ---- ticks ----

void TFormMain::showTimeText(const std::string& text) {
    const QString t = qs(text);
    if (lblTime->text() == t) return;
    lblTime->setText(t);
    if (m_trace) {
        m_trace->write(QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + '\t' + t.toUtf8() +
                       '\n');
        m_trace->flush();
    }
}

void TFormMain::TimerTimer() {
    const SystemClock& clock = m_services.clock;
    // First, so the display tick shows the zone state it refreshes.
    const int untilChange = msUntilNextChange(m_state, clock, tickWouldPlay());
    if (slowTickDue(clock.tickCount() - m_lastSlowTick, untilChange)) TimerSTimer();
    runDisplayTickOnce();
    refreshWorldLines();
    Timer->start(nextWakeMs(msUntilNextChange(m_state, clock, tickWouldPlay()),
                            clock.tickCount() - m_lastSlowTick));
}

bool TFormMain::refreshWorldLines() {
    QStringList texts;
    for (const std::string& t : worldLineTexts(m_state, m_services.clock)) texts.append(qs(t));
    // A list changed behind the clock's back still gets its room.
    if (texts.size() != worldLines->lines().size()) SetSize2();
    return worldLines->setLines(texts);
}

void TFormMain::worldLinesChanged() {
    actWorldLines->setChecked(m_state.WorldVisible);
    SetHint();
    SetSize();
    TimerTimer();  // the wake schedule may follow the lines now
}

void TFormMain::runDisplayTickOnce() {
    const DisplayTick tick = runDisplayTick(m_state, m_services.clock);
    if (tick.text) showTimeText(*tick.text);
    if (tick.playTick) PlayIt();
    if (tick.endEarly) return;
    raiseAboveOthers();
    const QString tip = qtLines(trayTip(lblTime->text().toStdString()));
    if (tip != m_trayTip) {
        m_trayTip = tip;
        cti->setToolTip(tip);
    }
}

bool TFormMain::raisingAllowed() const {
    if (m_state.InTray || m_state.FileDialogOpen || !isVisible()) return false;
    // An open menu or the hint's tooltip would be covered by the clock.
    if (QApplication::activePopupWidget() != nullptr || QToolTip::isVisible()) return false;
    // Nor a message box, a file or a colour dialog.
    if (QApplication::activeModalWidget() != nullptr) return false;
    for (const QWidget* w : m_raiseBlockers) {
        if (w && w->isVisible()) return false;
    }
    return !(m_about && m_about->isVisible());
}

void TFormMain::raiseAboveOthers() {
    if (m_raisingEnabled && raisingAllowed()) raise();
}

bool TFormMain::tickWouldPlay() const {
    // No tick for a clock that is not on the screen (hidden in the tray, or not shown yet).
    if (!m_state.PlayTick || m_state.InTray || !isVisible()) return false;
    return !(m_about && m_about->isVisible());
}

void TFormMain::PlayIt() {
    if (!tickWouldPlay()) return;
    if (m_state.bTickFile) {
        m_services.ticks.playFile(m_state.TickFilePath);
    } else {
        m_services.ticks.playBuiltIn();
    }
}

void TFormMain::SetbTickFile() {
    const auto found = findDataFile(
        m_services.dataFolders.empty() ? std::vector<std::string>{m_services.programFolder}
                                       : m_services.dataFolders,
        "temura.wav",
        [](const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); });
    m_state.bTickFile = found.has_value();
    m_state.TickFilePath = found.value_or(std::string());
}

void TFormMain::TimerPTimer() {
    setTimeColour(temura::TimerPTimer(m_state, m_timeColour));
}

void TFormMain::setTimeColour(Colour colour) {
    m_timeColour = colour;
    QPalette p = lblTime->palette();
    p.setColor(QPalette::WindowText, toQColor(colour));
    lblTime->setPalette(p);
}

void TFormMain::TimerSTimer() {
    m_lastSlowTick = m_services.clock.tickCount();
    LayoutInput in;
    in.timeTextWidth = textWidthOf(lblTime, lblTime->text());
    in.modeVisible = m_state.ModeVisible;
    in.modeTextWidth = textWidthOf(lblMode, lblMode->text());
    measureInk(in);
    in.dateVisible = m_state.DateVisible;
    in.dateTextWidth = textWidthOf(lblDate, lblDate->text());
    in.textMarginX = m_state.TextMarginX;
    in.modeGapX = m_state.ModeGapX;
    in.tzShown = tzLineShown(m_state);
    if (in.tzShown) in.tzTextWidth = textWidthOf(lblTZ, qs(tzLineText(m_state)));
    if (worldLinesShown(m_state)) {
        in.worldCount = static_cast<int>(worldLines->lines().size());
        in.worldTextWidth = worldLines->widestWidth();
    }
    m_state.FormWidthCalc = computeWidth(in);
    const int wanted = std::max(m_state.FormWidthCalc, minimumWidth());
    if (width() != wanted) resize(wanted, height());

    CheckZoneDST(m_state, m_services.clock);
    CalcZoneShift(m_state, m_services.clock);
    ReadSysZone(m_state, m_services.clock);
    if (m_state.DateVisible) {
        lblDate->setText(qs(DateText(m_services.clock.localTime(), dateShiftMinutes(m_state),
                                     m_state.DateFormat, m_services.names)));
    }
    if (m_state.PlayTick) SetbTickFile();
    // A world line's offset in the hint changes at its zone's change-overs.
    if (worldLinesShown(m_state)) SetHint();
}

void TFormMain::WMTimeChange() {
    ReadSysZone(m_state, m_services.clock);
    CheckZoneDST(m_state, m_services.clock);
    CalcZoneShift(m_state, m_services.clock);
    GetCurrTZName(m_state, m_services.clock);
    SetLang();
    SetSize2();
    TimerSTimer();
    TimerTimer();  // the clock moved: wake at its new boundaries
}

void TFormMain::FormActivate() {
    // Clicking the clock brings it up, but never over one of its own open windows.
    raiseAboveOthers();
}

void TFormMain::keepAboveTheClock(QWidget* window) {
    // A dialog of the clock's is stacked above it by the window manager, even though the clock
    // stays on top of everything else; without one the clock does not raise itself while such
    // a window is open (raisingAllowed). A plain window becomes a dialog for that. A platform
    // that cannot raise windows stacks nothing (offscreen), and there the tie would only keep
    // the focus from moving to the window.
    if (!m_raisingEnabled) return;
    Qt::WindowFlags flags = window->windowFlags();
    if (window->windowType() == Qt::Window) flags = (flags & ~Qt::WindowType_Mask) | Qt::Dialog;
    window->setParent(this, flags);
    window->installEventFilter(this);
}

void TFormMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TFormMain::showZoneChanged() {
    TimerTimer();
    SetModeStr();
    SetSize();
    emit zoneChanged();
}

// ---- actions ----

void TFormMain::setMode(std::uint8_t mode) {
    m_state.Mode = mode;
    for (QAction* a : m_modeGroup->actions()) a->setChecked(a->data().toInt() == mode);
    if (mode == kModeStopwatch) lblTime->setText(qs(m_state.StopwatchReading));
    SetModeStr();
    TimerTimer();
}

void TFormMain::lblModeClick() {
    setMode(nextMode(m_state.Mode));
}

void TFormMain::actChangeTimeFormatExecute() {
    m_state.TimeFormat = nextTimeFormat(m_state.TimeFormat);
    TimerTimer();
    SetSize2();
    emit settingsChanged();
}

void TFormMain::actChangeETimeFormatExecute() {
    m_state.ETimeFormat = nextETimeFormat(m_state.ETimeFormat);
    TimerTimer();
    SetSize2();
    emit settingsChanged();
}

void TFormMain::actChangeDateFormatExecute() {
    m_state.DateFormat = nextDateFormat(m_state.DateFormat);
    TimerSTimer();
    SetSize2();
    emit settingsChanged();
}

void TFormMain::changeFontSize(int step) {
    QFont f = lblTime->font();
    f.setPointSize(stepFontSize(f.pointSize(), step));
    lblTime->setFont(f);
    SetSize();
    emit settingsChanged();
}

void TFormMain::actFontSizePlusExecute() {
    changeFontSize(+1);
}
void TFormMain::actFontSizeMinusExecute() {
    changeFontSize(-1);
}

void TFormMain::actFontBoldExecute() {
    m_state.TimerFontBold = !m_state.TimerFontBold;
    actFontBold->setChecked(m_state.TimerFontBold);
    QFont f = lblTime->font();
    f.setBold(m_state.TimerFontBold);
    lblTime->setFont(f);
    SetSize();
    emit settingsChanged();
}

void TFormMain::actFontItalicExecute() {
    m_state.TimerFontItalic = !m_state.TimerFontItalic;
    actFontItalic->setChecked(m_state.TimerFontItalic);
    QFont f = lblTime->font();
    f.setItalic(m_state.TimerFontItalic);
    lblTime->setFont(f);
    SetSize();
    emit settingsChanged();
}

void TFormMain::actShowModeExecute() {
    m_state.ModeVisible = !m_state.ModeVisible;
    actShowMode->setChecked(m_state.ModeVisible);
    lblMode->setVisible(m_state.ModeVisible);
    SetSize();
    emit settingsChanged();
}

void TFormMain::actShowDateExecute() {
    m_state.DateVisible = !m_state.DateVisible;
    actShowDate->setChecked(m_state.DateVisible);
    lblDate->setVisible(m_state.DateVisible);
    if (m_state.DateVisible) TimerSTimer();
    SetSize();
    emit settingsChanged();
}

void TFormMain::actShowTZNameExecute() {
    m_state.TZVisible = !m_state.TZVisible;
    actShowTZName->setChecked(m_state.TZVisible);
    SetSize();
    emit settingsChanged();
}

void TFormMain::actShowButtonsExecute() {
    const bool shown = actShowButtons->isChecked();
    for (QToolButton* b : {btnStart, btnPause, btnStop}) b->setVisible(shown);
    updateWindowBackground();
    SetSize();
    emit settingsChanged();
}

void TFormMain::actSysClockExecute() {
    const auto pos =
        m_services.desktop.taskbarClockPosition(m_state.FormWidthCalc, m_state.FormHeightCalc);
    if (pos && pos->x != 0 && pos->y != 0) move(pos->x, pos->y);
}

void TFormMain::actDefaultTimeZoneExec() {
    actDefaultTimeZoneExecute(m_state);
    showZoneChanged();
}

void TFormMain::lblTimeDblClick() {
    m_services.desktop.openDateTimeSettings();
}

void TFormMain::actCloseExecute() {
    if (m_state.FullScreen) {
        leaveFullScreen();
        return;
    }
    close();
}

// ---- dragging ----

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    const bool label = watched == lblTime || watched == lblDate || watched == lblTZ ||
                       watched == lblMode || watched == worldLines;
    if (!label) {
        // Without a window manager showing a window does not bring it up; the clock may have
        // climbed over it while it was hidden.
        if (event->type() == QEvent::Show && m_raisingEnabled) {
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow()) w->raise();
        }
        return QWidget::eventFilter(watched, event);
    }
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    // Only the left button drags and clicks; the right one brings up the menu as usual.
    if (mouse && mouse->button() != Qt::LeftButton && mouse->buttons() != Qt::LeftButton) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            if (watched != lblMode) lblTimeDblClick();
            return true;
        case QEvent::MouseButtonPress:
            m_pressTarget = watched;
            mousePressEvent(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            mouseMoveEvent(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease: {
            const bool click = m_drag.pressed() && !m_drag.dragging() && m_pressTarget == lblMode;
            mouseReleaseEvent(static_cast<QMouseEvent*>(event));
            if (click) lblModeClick();
            return true;
        }
        default:
            return QWidget::eventFilter(watched, event);
    }
}

void TFormMain::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_drag.press(event->globalPosition().toPoint());
}

void TFormMain::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    // Not on the press itself, so that a double-click still reaches the time.
    m_drag.moveTo(event->globalPosition().toPoint(), QApplication::startDragDistance());
}

void TFormMain::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_pressTarget = nullptr;
    endDrag();
}

void TFormMain::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // A system move reports no release to us: snap once the moves have stopped.
    if (m_drag.dragging() && !m_drag.manual()) m_snapTimer->start();
}

void TFormMain::endDrag() {
    if (m_drag.release()) snapToEdges();
}

void TFormMain::snapToEdges() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->availableGeometry();
    QRect r = frameGeometry();
    if (std::abs(r.left() - area.left()) <= kSnapDistance) r.moveLeft(area.left());
    if (std::abs(r.right() - area.right()) <= kSnapDistance) r.moveRight(area.right());
    if (std::abs(r.top() - area.top()) <= kSnapDistance) r.moveTop(area.top());
    if (std::abs(r.bottom() - area.bottom()) <= kSnapDistance) r.moveBottom(area.bottom());
    if (r.topLeft() != frameGeometry().topLeft()) move(r.topLeft());
}

}  // namespace temura
