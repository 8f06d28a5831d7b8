// The main window's stopwatch, language, menu, tray and full-screen parts.

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>

#include "app/links.h"
#include "qtgui/colour_qt.h"
#include "qtgui/form_about.h"
#include "qtgui/form_full_screen.h"
#include "qtgui/form_main.h"
#include "qtgui/painted_icons.h"
#include "qtgui/popup_menu.h"
#include "qtgui/text_qt.h"
#include "ui/data_file_rules.h"
#include "ui/lang_rules.h"

namespace temura {

namespace {

// Menu captions are shown as written; "&" is no mnemonic marker in them.
QString menuText(const std::string& s) {
    QString t = qs(s);
    t.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return t;
}

}  // namespace

void TFormMain::createStopwatchActions() {
    const auto tick = [this] { return m_services.clock.tickCount(); };
    actStart = makeAction({}, QKeySequence(Qt::Key_F2), nullptr);
    connect(actStart, &QAction::triggered, this,
            [this, tick] { applyStopwatch(temura::actStart(m_state, tick())); });
    actPause = makeAction({}, QKeySequence(Qt::Key_F3), nullptr);
    connect(actPause, &QAction::triggered, this,
            [this, tick] { applyStopwatch(temura::actPause(m_state, tick())); });
    actStop = makeAction({}, QKeySequence(Qt::Key_F4), nullptr);
    connect(actStop, &QAction::triggered, this,
            [this, tick] { applyStopwatch(temura::actStop(m_state, tick())); });
    actClear = makeAction({}, {}, nullptr);
    connect(actClear, &QAction::triggered, this,
            [this] { applyStopwatch(temura::actClear(m_state)); });
    actStoperIncSec = makeAction({}, QKeySequence(Qt::CTRL | Qt::Key_Right), nullptr);
    connect(actStoperIncSec, &QAction::triggered, this,
            [this] { applyStopwatch(temura::actStoperIncSec(m_state)); });
    actStoperDecSec = makeAction({}, QKeySequence(Qt::CTRL | Qt::Key_Left), nullptr);
    connect(actStoperDecSec, &QAction::triggered, this,
            [this, tick] { applyStopwatch(temura::actStoperDecSec(m_state, tick())); });
    actStoperIncMin = makeAction({}, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Right), nullptr);
    connect(actStoperIncMin, &QAction::triggered, this,
            [this] { applyStopwatch(temura::actStoperIncMin(m_state)); });
    actStoperDecMin = makeAction({}, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Left), nullptr);
    connect(actStoperDecMin, &QAction::triggered, this,
            [this, tick] { applyStopwatch(temura::actStoperDecMin(m_state, tick())); });

    connect(btnStart, &QToolButton::clicked, actStart, &QAction::trigger);
    connect(btnPause, &QToolButton::clicked, actPause, &QAction::trigger);
    connect(btnStop, &QToolButton::clicked, actStop, &QAction::trigger);
}

void TFormMain::applyStopwatch(const StopwatchEffects& e) {
    if (e.enableDisplayTick && !Timer->isActive()) Timer->start(0);
    if (e.timeText) lblTime->setText(qs(*e.timeText));
    if (e.resetTimeColour) setTimeColour(m_state.TimerFontColor);
    if (e.blink) {
        if (*e.blink) {
            TimerP->start();
        } else {
            TimerP->stop();
        }
    }
    if (e.title) m_appTitle = qs(*e.title);
    if (e.relayout) SetSize();
    if (m_state.Mode == kModeStopwatch) TimerTimer();  // a running stopwatch ticks from its start
}

void TFormMain::createMenuActions() {
    actPlayTick = makeAction({}, QKeySequence(Qt::Key_F9), &TFormMain::actPlayTickExecute, true);
    actFullScreen =
        makeAction({}, QKeySequence(Qt::Key_F10), &TFormMain::actFullScreenExecute, true);
    actWorldLines =
        makeAction({}, QKeySequence(Qt::Key_F11), &TFormMain::actWorldLinesExecute, true);
    actHelp = makeAction({}, QKeySequence(Qt::Key_F1), &TFormMain::actHelpExecute);
    actMinimize =
        makeAction({}, QKeySequence(QStringLiteral("Ctrl+M")), &TFormMain::actMinimizeExecute);
    actRestore = makeAction({}, {}, &TFormMain::actRestoreExecute);
    actChangeLanguage = makeAction({}, QKeySequence(QStringLiteral("Ctrl+Shift+L")),
                                   &TFormMain::actChangeLanguageExecute);
    // The windows behind these are handed over or made on first use; until then disabled.
    actOptions = makeAction({}, QKeySequence(Qt::Key_F12), &TFormMain::actOptionsExecute);
    actAbout = makeAction({}, QKeySequence(Qt::SHIFT | Qt::Key_F1), nullptr);
    connect(actAbout, &QAction::triggered, this, [this] {
        if (m_about) m_about->open();
    });
    actDefault =
        makeAction({}, QKeySequence(Qt::SHIFT | Qt::Key_F12), &TFormMain::actDefaultExecute);
    actSelectTimeZone = makeAction({}, QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                   &TFormMain::actSelectTimeZoneExecute);
    actLoadSettings =
        makeAction({}, QKeySequence(QStringLiteral("Ctrl+O")), &TFormMain::actLoadSettingsExecute);
    actSaveSettings =
        makeAction({}, QKeySequence(QStringLiteral("Ctrl+S")), &TFormMain::actSaveSettingsExecute);
    for (QAction* a : {actOptions, actAbout, actSelectTimeZone, actLoadSettings, actSaveSettings}) {
        a->setEnabled(false);
    }
}

void TFormMain::createMenus() {
    QFont headerFont(qs(m_state.SeparatorFontName));
    headerFont.setPointSize(m_state.SeparatorFontSize);
    const QColor headerColour = toQColor(m_state.SeparatorColor);
    const auto header = [this, headerFont, headerColour](std::string MainTexts::*text) {
        return popMain->addHeader([this, text] { return qs(mainTexts(m_state).*text); }, headerFont,
                                  headerColour);
    };

    popMain = new PopupMenu(this);
    QMenu* mode = popMain->addMenu(QString());
    mode->addActions({actSetModeT, actSetModeE, actSetModeW, actSetModeU});
    mode->addSeparator();
    mode->addAction(actSetModeS);
    popMain->setProperty("popMode", QVariant::fromValue<QObject*>(mode));
    popSep1 = header(&MainTexts::popSep1);
    popMain->addActions({actStart, actPause, actStop, actShowButtons});
    popIncDecStopwatch = popMain->addMenu(QString());
    popIncDecStopwatch->addActions({actStoperIncSec, actStoperDecSec});
    popIncDecStopwatch->addSeparator();
    popIncDecStopwatch->addActions({actStoperIncMin, actStoperDecMin});
    popSep2 = header(&MainTexts::popSep2);
    popMain->addActions(
        {actShowMode, actShowDate, actShowTZName, actPlayTick, actFullScreen, actWorldLines});
    QMenu* font = popMain->addMenu(QString());
    popMain->setProperty("popFont", QVariant::fromValue<QObject*>(font));
    popFontSizePlus = font->addAction(QString(), actFontSizePlus, &QAction::trigger);
    popFontSizeMinus = font->addAction(QString(), actFontSizeMinus, &QAction::trigger);
    font->addSeparator();
    font->addActions({actFontBold, actFontItalic});
    popMain->addSeparator();
    popTimeZone = popMain->addMenu(QString());
    popTimeZone->addActions({actDefaultTimeZone, actSelectTimeZone});
    popMain->addSeparator();
    popMain->addActions({actLoadSettings, actSaveSettings});
    popMain->addSeparator();
    popMain->addAction(actOptions);
    popSep3 = header(&MainTexts::popSep3);
    popMain->addActions({actHelp, actAbout});
    popMain->addSeparator();
    popMain->addActions({actMinimize, actClose});
    popMain->setExitAction(actClose);
    connect(popMain, &QMenu::aboutToShow, this, &TFormMain::popMainPopup);
    // The item is greyed in the open menu outside Timer mode; F8 toggles the setting in any mode.
    connect(popMain, &QMenu::aboutToHide, actShowTZName,
            [this] { actShowTZName->setEnabled(true); });

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popMain->popup(mapToGlobal(at)); });
}

void TFormMain::createTray() {
    popCti = new QMenu(this);
    popCtiRestore = popCti->addAction(QString(), actRestore, &QAction::trigger);
    popCti->addSeparator();
    auto* group = new QActionGroup(popCti);
    const struct {
        QAction** item;
        QAction* mode;
    } items[] = {{&popCtiTimer, actSetModeT},
                 {&popCtiBMT, actSetModeE},
                 {&popCtiWindows, actSetModeW},
                 {&popCtiUTC, actSetModeU},
                 {&popCtiStopwatch, actSetModeS}};
    for (const auto& i : items) {
        *i.item = popCti->addAction(QString(), i.mode, &QAction::trigger);
        (*i.item)->setCheckable(true);
        group->addAction(*i.item);
    }
    popCti->addSeparator();
    popCtiExit = popCti->addAction(QString(), actClose, &QAction::trigger);
    connect(popCti, &QMenu::aboutToShow, this, &TFormMain::popCtiPopup);

    // Qt registers the icon again by itself when the panel holding the tray restarts.
    cti = new QSystemTrayIcon(appIcon(), this);
    cti->setContextMenu(popCti);
    connect(cti, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger) actRestoreExecute();
    });
}

void TFormMain::popMainPopup() {
    popIncDecStopwatch->setEnabled(m_state.Mode == kModeStopwatch && stopwatchRunning(m_state));
    const bool timer = m_state.Mode == kModeTimer;
    actShowTZName->setEnabled(timer);
    popTimeZone->setEnabled(timer);
    actShowDate->setChecked(m_state.DateVisible);
    actFullScreen->setChecked(m_state.FullScreen);
    actShowMode->setChecked(m_state.ModeVisible);
    actPlayTick->setChecked(m_state.PlayTick);
    actWorldLines->setChecked(m_state.WorldVisible);
}

void TFormMain::popCtiPopup() {
    QAction* items[] = {popCtiTimer, popCtiBMT, popCtiWindows, popCtiUTC, popCtiStopwatch};
    for (std::size_t i = 0; i < std::size(items); ++i) items[i]->setChecked(i == m_state.Mode);
}

void TFormMain::SetLang() {
    const MainTexts t = mainTexts(m_state);
    actStart->setToolTip(qs(t.actStartHint));
    actPause->setToolTip(qs(t.actPauseHint));
    actStop->setToolTip(qs(t.actStopHint));
    btnStart->setToolTip(qs(t.actStartHint));
    btnPause->setToolTip(qs(t.actPauseHint));
    btnStop->setToolTip(qs(t.actStopHint));
    actStart->setText(menuText(t.popStart));
    actPause->setText(menuText(t.popPause));
    actStop->setText(menuText(t.popStop));
    actShowButtons->setText(menuText(t.popShowButtons));
    actPlayTick->setText(menuText(t.actPlayTick));
    actOptions->setText(menuText(t.actOptions));
    actClose->setText(menuText(t.actClose));
    actAbout->setText(menuText(t.actAbout));
    actHelp->setText(menuText(t.actHelp));
    qobject_cast<QMenu*>(popMain->property("popMode").value<QObject*>())
        ->setTitle(menuText(t.popMode));
    actSetModeS->setText(menuText(t.actSetModeS));
    actSetModeT->setText(menuText(t.actSetModeT));
    actSetModeW->setText(menuText(t.actSetModeW));
    qobject_cast<QMenu*>(popMain->property("popFont").value<QObject*>())
        ->setTitle(menuText(t.popFont));
    popFontSizePlus->setText(menuText(t.popFontSizePlus));
    popFontSizeMinus->setText(menuText(t.popFontSizeMinus));
    actShowMode->setText(menuText(t.actShowMode));
    popTimeZone->setTitle(menuText(t.popTimeZone));
    actDefaultTimeZone->setText(menuText(t.actDefaultTimeZone));
    actSelectTimeZone->setText(menuText(t.actSelectTimeZone));
    popIncDecStopwatch->setTitle(menuText(t.popIncDecStopwatch));
    actStoperIncSec->setText(menuText(t.actStoperIncSec));
    actStoperDecSec->setText(menuText(t.actStoperDecSec));
    actStoperIncMin->setText(menuText(t.actStoperIncMin));
    actStoperDecMin->setText(menuText(t.actStoperDecMin));
    actSetModeE->setText(menuText(t.actSetModeE));
    actSetModeU->setText(menuText(t.actSetModeU));
    actMinimize->setText(menuText(t.actMinimize));
    actRestore->setText(menuText(t.actRestore));
    actFontBold->setText(menuText(t.actFontBold));
    actFontItalic->setText(menuText(t.actFontItalic));
    actShowTZName->setText(menuText(t.actShowTZName));
    actShowDate->setText(menuText(t.actShowDate));
    actFullScreen->setText(menuText(t.actFullScreen));
    actWorldLines->setText(menuText(t.actWorldLines));
    actDefault->setText(menuText(t.actDefault));
    actDefault->setToolTip(qs(t.actDefaultHint));
    actChangeLanguage->setText(menuText(t.actChangeLanguage));
    actLoadSettings->setText(menuText(t.actLoadSettings));
    actSaveSettings->setText(menuText(t.actSaveSettings));

    popCtiRestore->setText(menuText(t.popCtiRestore));
    popCtiStopwatch->setText(menuText(t.popCtiStopwatch));
    popCtiTimer->setText(menuText(t.popCtiTimer));
    popCtiUTC->setText(menuText(t.popCtiUTC));
    popCtiWindows->setText(menuText(t.popCtiWindows));
    popCtiBMT->setText(menuText(t.popCtiBMT));
    popCtiExit->setText(menuText(t.popCtiExit));
    SetHint();
}

QString TFormMain::hintText() const {
    return qtLines(composeHint(m_state, m_services.clock.utcTime()));
}

void TFormMain::SetHint() {
    const QString hint = hintText();
    if (hint == m_hint) return;
    m_hint = hint;
    for (QWidget* w : std::initializer_list<QWidget*>{lblTime, lblDate, lblTZ, worldLines})
        w->setToolTip(hint);
}

void TFormMain::actChangeLanguageExecute() {
    m_state.English = !m_state.English;
    SetLang();
    SetModeStr();
    emit languageChanged();
    emit settingsChanged();
}

void TFormMain::actPlayTickExecute() {
    m_state.PlayTick = actPlayTick->isChecked();
    if (m_state.PlayTick) SetbTickFile();
    Timer->start(0);  // the schedule follows the tick from its next second, not after a minute
    emit settingsChanged();
}

void TFormMain::actWorldLinesExecute() {
    m_state.WorldVisible = !m_state.WorldVisible;
    worldLinesChanged();
    emit settingsChanged();
}

void TFormMain::setAboutBox(TFormAbout2* about) {
    m_about = about;
    about->setCloseKey(actAbout->shortcut());
    addCloseOnMinimize(about);
    actAbout->setEnabled(true);
}

// ---- full screen ----

void TFormMain::setFullScreenWindow(TFormFullScreen* window) {
    m_fullScreen = window;
    connect(window, &TFormFullScreen::leaveRequested, this, &TFormMain::leaveFullScreen);
    // The command line asked for full screen: it opens as soon as its window exists.
    if (m_startFullScreen) {
        m_startFullScreen = false;
        m_state.FullScreen = false;
        enterFullScreen();
    }
}

void TFormMain::actFullScreenExecute() {
    if (m_state.FullScreen) {
        leaveFullScreen();
    } else {
        enterFullScreen();
    }
}

void TFormMain::enterFullScreen() {
    if (!m_fullScreen) return;
    m_state.SavedLeft = x();
    m_state.SavedTop = y();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    move(screen.x() + screen.width() / 2 - width() / 2,
         screen.y() + screen.height() / 2 - height() / 2);
    m_fullScreen->setBackground(toQColor(m_timeBackground));
    m_fullScreen->showOver(screen);
    m_state.FullScreen = true;
    actFullScreen->setChecked(true);
    if (m_raisingEnabled) raise();
    activateWindow();
    emit settingsChanged();
}

void TFormMain::leaveFullScreen() {
    if (m_fullScreen) m_fullScreen->hide();
    m_state.FullScreen = false;
    actFullScreen->setChecked(false);
    move(m_state.SavedLeft, m_state.SavedTop);
    emit settingsChanged();
}

// ---- help and tray ----

void TFormMain::actHelpExecute() {
    const auto help = findDataFile(
        m_services.dataFolders, "Help/help.html",
        [](const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); });
    if (help) {
        m_services.desktop.openFile(*help);
    } else {
        m_services.desktop.openUrl(links::kHelpPage);
    }
}

void TFormMain::actMinimizeExecute() {
    // Without a tray the clock would be lost to the user: it stays as it is, dialogs and all.
    if (!m_services.desktop.trayAvailable()) return;
    // The full-screen area would stay behind with the pointer hidden; restoring then brings the
    // clock back where it stood before full screen.
    if (m_state.FullScreen) leaveFullScreen();
    for (QWidget* w : m_closeOnMinimize) {
        if (w && w->isVisible()) w->close();
    }
    cti->show();
    hide();
    m_state.InTray = true;
}

void TFormMain::actRestoreExecute() {
    if (!m_state.InTray) return;
    show();
    raise();
    activateWindow();
    cti->hide();
    m_state.InTray = false;
}

}  // namespace temura
