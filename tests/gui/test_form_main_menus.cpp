#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidgetAction>

#include "qtgui/colour_qt.h"
#include "qtgui/form_full_screen.h"
#include "qtgui/form_main.h"
#include "qtgui/popup_menu.h"
#include "qtgui/section_header.h"
#include "support/fake_desktop.h"
#include "support/fake_system_clock.h"
#include "support/fake_tick_player.h"
#include "support/main_services.h"
#include "ui/lang_rules.h"

namespace temura {
namespace {

using test::FakeDesktop;
using test::FakeSystemClock;
using test::FakeTickPlayer;

class MenusTest : public ::testing::Test {
  protected:
    FakeSystemClock clock;
    FakeDesktop desktop;
    FakeTickPlayer ticks;
    ClockState state;
    std::unique_ptr<TFormMain> form;
    std::unique_ptr<TFormFullScreen> fullScreen;

    void SetUp() override {
        clock.setWarsawWinter();
        clock.setLocal(2026, 12, 7, 12, 0, 0, 0);
        clock.tick = 1'000'000;
        state.English = true;
        form = std::make_unique<TFormMain>(state, test::windowOnlyServices(clock, desktop, ticks));
        fullScreen = std::make_unique<TFormFullScreen>();
        form->setFullScreenWindow(fullScreen.get());
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(form.get(), static_cast<Qt::Key>(key), mods);
    }
    void advance(std::uint32_t ms) {
        clock.tick += ms;
        const std::uint32_t total = static_cast<std::uint32_t>(clock.local.millisecond) + ms;
        clock.local.millisecond = static_cast<int>(total % 1000);
        const int seconds = clock.local.second + static_cast<int>(total / 1000);
        clock.local.second = seconds % 60;
        clock.local.minute = (clock.local.minute + seconds / 60) % 60;
    }
    // Runs the display tick on its own schedule for `ms` of fake time; returns the wake-ups.
    int runScheduled(std::uint32_t ms) {
        int wakes = 0;
        for (std::uint32_t t = 0;;) {
            const auto wait = static_cast<std::uint32_t>(form->Timer->interval());
            if (t + wait > ms) return wakes;
            t += wait;
            advance(wait);
            form->TimerTimer();
            ++wakes;
        }
    }
};

// What one entry of the popup menu should be.
struct Entry {
    enum Kind { Item, Submenu, Header, Separator } kind;
    QString text;  // caption (submenus: title); headers: drawn text
    QString key;
};

std::vector<Entry> entriesOf(const QMenu* menu) {
    std::vector<Entry> out;
    for (QAction* a : menu->actions()) {
        if (auto* w = qobject_cast<QWidgetAction*>(a)) {
            out.push_back(
                {Entry::Header, static_cast<SectionHeader*>(w->defaultWidget())->text(), {}});
        } else if (a->isSeparator()) {
            out.push_back({Entry::Separator, {}, {}});
        } else if (a->menu()) {
            out.push_back({Entry::Submenu, a->menu()->title(), {}});
        } else {
            out.push_back({Entry::Item, a->text(), a->shortcut().toString()});
        }
    }
    return out;
}

TEST_F(MenusTest, PopupMenuHoldsEveryItemInOrder) {
    const std::vector<Entry> expected = {
        {Entry::Submenu, "Mode", ""},
        {Entry::Header, "S T O P W A T C H", ""},
        {Entry::Item, "Start\\Resume", "F2"},
        {Entry::Item, "Pause", "F3"},
        {Entry::Item, "Stop", "F4"},
        {Entry::Item, "Show stoper buttons", "F5"},
        {Entry::Submenu, "Step", ""},
        {Entry::Header, "S E T T I N G S", ""},
        {Entry::Item, "Show mode symbol", "F6"},
        {Entry::Item, "Show date", "F7"},
        {Entry::Item, "Show time zone name", "F8"},
        {Entry::Item, "Tick-Tock-Tick-Tock", "F9"},
        {Entry::Item, "Full screen", "F10"},
        {Entry::Item, "World lines", "F11"},
        {Entry::Submenu, "Timer\\Stopwatch font", ""},
        {Entry::Separator, "", ""},
        {Entry::Submenu, "Time zone", ""},
        {Entry::Separator, "", ""},
        {Entry::Item, "", "Ctrl+O"},
        {Entry::Item, "", "Ctrl+S"},
        {Entry::Separator, "", ""},
        {Entry::Item, "Options...", "F12"},
        {Entry::Header, "I N F O", ""},
        {Entry::Item, "Help...", "F1"},
        {Entry::Item, "About...", "Shift+F1"},
        {Entry::Separator, "", ""},
        {Entry::Item, "Minimize to tray", "Ctrl+M"},
        {Entry::Item, "Exit", "Esc"},
    };
    const std::vector<Entry> actual = entriesOf(form->popMain);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].kind, expected[i].kind);
        if (!expected[i].text.isEmpty()) {
            EXPECT_EQ(actual[i].text, expected[i].text);
        }
        EXPECT_EQ(actual[i].key, expected[i].key);
    }
    EXPECT_EQ(PopupMenu::exitText(form->actClose), QStringLiteral("Exit           Esc"));

    const std::vector<std::pair<QAction*, QString>> subItems = {
        {form->actSetModeT, "Ctrl+1"},
        {form->actSetModeE, "Ctrl+2"},
        {form->actSetModeW, "Ctrl+3"},
        {form->actSetModeU, "Ctrl+4"},
        {form->actSetModeS, "Ctrl+5"},
        {form->actStoperIncSec, "Ctrl+Right"},
        {form->actStoperDecSec, "Ctrl+Left"},
        {form->actStoperIncMin, "Ctrl+Shift+Right"},
        {form->actStoperDecMin, "Ctrl+Shift+Left"},
        {form->actFontBold, "Ctrl+B"},
        {form->actFontItalic, "Ctrl+I"},
        {form->actDefaultTimeZone, "Ctrl+Shift+D"},
        {form->actSelectTimeZone, "Ctrl+Shift+Z"},
        {form->actFontSizeMinus, "Ctrl+-"},
        {form->actChangeLanguage, "Ctrl+Shift+L"},
        {form->actDefault, "Shift+F12"},
        {form->actSysClock, "Ctrl+Shift+C"},
    };
    for (const auto& [action, key] : subItems) EXPECT_EQ(action->shortcut().toString(), key);
    EXPECT_EQ(form->popFontSizePlus->text(), QStringLiteral("Font size + 1   Ctrl+ +"));
}

TEST_F(MenusTest, StepAndZoneItemsEnableOnlyWhenTheyApply) {
    form->popMainPopup();
    EXPECT_FALSE(form->popIncDecStopwatch->isEnabled());
    EXPECT_TRUE(form->popTimeZone->isEnabled());
    EXPECT_TRUE(form->actShowTZName->isEnabled());

    press(Qt::Key_2, Qt::ControlModifier);  // e-Time
    form->popMainPopup();
    EXPECT_FALSE(form->popTimeZone->isEnabled());
    EXPECT_FALSE(form->actShowTZName->isEnabled());

    press(Qt::Key_5, Qt::ControlModifier);
    form->popMainPopup();
    EXPECT_FALSE(form->popIncDecStopwatch->isEnabled());  // stopped
    press(Qt::Key_F2);
    form->popMainPopup();
    EXPECT_TRUE(form->popIncDecStopwatch->isEnabled());
    press(Qt::Key_F3);
    form->popMainPopup();
    EXPECT_FALSE(form->popIncDecStopwatch->isEnabled());  // paused
}

TEST_F(MenusTest, FunctionKeysDriveTheStopwatch) {
    press(Qt::Key_5, Qt::ControlModifier);
    form->TimerTimer();
    EXPECT_EQ(form->lblTime->text(), QStringLiteral("00:00:00.0"));
    press(Qt::Key_F2);
    advance(5'370);
    form->TimerTimer();
    EXPECT_EQ(form->lblTime->text(), QStringLiteral("00:00:05.3"));
    press(Qt::Key_F3);
    EXPECT_EQ(form->applicationTitle(), QStringLiteral("Paused"));
    advance(10'000);
    form->TimerTimer();
    EXPECT_EQ(form->lblTime->text(), QStringLiteral("00:00:05.3"));
    press(Qt::Key_F2);  // resumes from the frozen reading
    EXPECT_EQ(form->applicationTitle(), QStringLiteral("Temura"));
    advance(1'000);
    form->TimerTimer();
    EXPECT_EQ(form->lblTime->text(), QStringLiteral("00:00:06.3"));
    press(Qt::Key_F4);
    press(Qt::Key_F4);  // a second Stop clears
    EXPECT_EQ(form->lblTime->text(), QStringLiteral("00:00:00.0"));
    EXPECT_EQ(state.StopwatchReading, "00:00:00.0");
}

TEST_F(MenusTest, PausedTimeLineBlinks) {
    press(Qt::Key_F2);
    press(Qt::Key_F3);
    ASSERT_TRUE(form->TimerP->isActive());
    const QColor timer = toQColor(state.TimerFontColor);
    const QColor paused = toQColor(state.PausedColor);
    ASSERT_NE(timer, paused);
    std::vector<QColor> seen;
    for (int i = 0; i < 4; ++i) {
        form->TimerPTimer();
        seen.push_back(form->lblTime->palette().color(QPalette::WindowText));
    }
    EXPECT_EQ(seen, (std::vector<QColor>{paused, timer, paused, timer}));
    press(Qt::Key_F4);
    EXPECT_FALSE(form->TimerP->isActive());
    EXPECT_EQ(form->lblTime->palette().color(QPalette::WindowText), timer);
}

TEST_F(MenusTest, EscapeLeavesFullScreenThenCloses) {
    form->move(10, 20);
    press(Qt::Key_F10);
    EXPECT_TRUE(state.FullScreen);
    EXPECT_TRUE(fullScreen->isVisible());
    EXPECT_NE(form->pos(), QPoint(10, 20));
    press(Qt::Key_Escape);
    EXPECT_FALSE(state.FullScreen);
    EXPECT_FALSE(fullScreen->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->pos(), QPoint(10, 20));
    press(Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MenusTest, FullScreenWindowsOwnKeysLeaveIt) {
    press(Qt::Key_F10);
    ASSERT_TRUE(state.FullScreen);
    QTest::keyClick(fullScreen.get(), Qt::Key_F10);
    EXPECT_FALSE(state.FullScreen);
    EXPECT_TRUE(form->isVisible());
}

std::vector<QString> captions(TFormMain& f) {
    std::vector<QString> out;
    for (QAction* a : f.actions()) out.push_back(a->text());
    for (QMenu* m : {static_cast<QMenu*>(f.popMain), f.popCti}) {
        for (const Entry& e : entriesOf(m)) out.push_back(e.text);
    }
    for (QMenu* m : f.popMain->findChildren<QMenu*>()) out.push_back(m->title());
    out.push_back(f.hintText());
    return out;
}

TEST_F(MenusTest, LanguageSwitchChangesEveryTextAndBack) {
    const std::vector<QString> english = captions(*form);
    press(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(state.English);
    const MainTexts pl = mainTexts(state);
    EXPECT_EQ(form->actSetModeT->text().toStdString(), pl.actSetModeT);
    EXPECT_EQ(form->actMinimize->text().toStdString(), "Minimalizuj do zasobnika");
    EXPECT_EQ(form->popCtiExit->text().toStdString(), "Zamknij");
    EXPECT_EQ(form->popCtiRestore->text().toStdString(), "Przywróć");
    EXPECT_EQ(form->popTimeZone->title().toStdString(), "Strefa czasowa");
    EXPECT_EQ(form->actSetModeW->text(), QStringLiteral("Windows"));
    EXPECT_EQ(form->lblTime->toolTip(),
              QStringLiteral("Tryb : Zegar\nBieżący czas systemowy\nCzas standardowy (zimowy)"));
    EXPECT_EQ(form->lblMode->text(), QStringLiteral("Z"));
    const std::vector<QString> polish = captions(*form);
    ASSERT_EQ(polish.size(), english.size());
    int changed = 0;
    for (std::size_t i = 0; i < english.size(); ++i) changed += english[i] != polish[i];
    EXPECT_GE(changed, 40);

    press(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(captions(*form), english);
    EXPECT_EQ(form->lblMode->text(), QStringLiteral("T"));
}

TEST_F(MenusTest, MinimiseToTrayAndRestore) {
    desktop.tray = true;
    press(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(state.InTray);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->cti->isVisible());
    form->popCtiPopup();
    EXPECT_TRUE(form->popCtiTimer->isChecked());
    form->popCtiUTC->trigger();  // the tray's mode items work while minimised
    EXPECT_EQ(state.Mode, kModeUtc);
    form->popCtiPopup();
    EXPECT_TRUE(form->popCtiUTC->isChecked());
    EXPECT_FALSE(form->popCtiTimer->isChecked());
    form->popCtiRestore->trigger();
    EXPECT_FALSE(state.InTray);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->cti->isVisible());
}

TEST_F(MenusTest, MinimisingFromFullScreenLeavesItAndRestoresWhereTheClockWas) {
    desktop.tray = true;
    form->move(40, 30);
    press(Qt::Key_F10);
    ASSERT_TRUE(fullScreen->isVisible());
    press(Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(state.InTray);
    EXPECT_FALSE(state.FullScreen);
    EXPECT_FALSE(fullScreen->isVisible());
    form->actRestore->trigger();
    EXPECT_EQ(form->pos(), QPoint(40, 30));
}

TEST_F(MenusTest, WithoutATrayMinimiseKeepsTheClockShown) {
    desktop.tray = false;
    press(Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(state.InTray);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->cti->isVisible());
}

TEST_F(MenusTest, OneTickPerShownSecondOnTheRealScheduleAndNoneInTheTray) {
    // Every time format ticks each second, HH:MM too; with the tick off HH:MM stays lazy.
    const struct {
        std::uint8_t format;
        bool tick;
        int ticks;
        int maxWakes;
    } cases[] = {{0, true, 5, 6}, {1, true, 5, 6}, {2, true, 5, 51}, {0, false, 0, 3}};
    for (const auto& c : cases) {
        state.TimeFormat = c.format;
        state.PlayTick = c.tick;
        form->TimerTimer();
        const int start = ticks.total();
        const int wakes = runScheduled(5050);  // each wake-up lands 2 ms past its second
        EXPECT_EQ(ticks.total() - start, c.ticks) << int(c.format) << c.tick;
        EXPECT_LE(wakes, c.maxWakes) << int(c.format) << c.tick;
    }

    state.TimeFormat = 0;
    state.PlayTick = true;
    desktop.tray = true;
    form->actMinimize->trigger();
    const int start = ticks.total();
    form->TimerTimer();
    EXPECT_LE(runScheduled(5000), 3);  // hidden in the tray: lazy again
    EXPECT_EQ(ticks.total() - start, 0);
}

TEST_F(MenusTest, NoTickWhileTheClockIsNotOnTheScreen) {
    // As when it is being set up at start or was closed to nothing but its icon.
    state.PlayTick = true;
    form->hide();
    const int start = ticks.total();
    for (int i = 0; i < 20; ++i) {
        advance(100);
        form->TimerTimer();
    }
    EXPECT_EQ(ticks.total() - start, 0);
    form->show();
    for (int i = 0; i < 20; ++i) {
        advance(100);
        form->TimerTimer();
    }
    EXPECT_EQ(ticks.total() - start, 2);
}

TEST_F(MenusTest, HelpOpensTheOnlinePageWithoutALocalFile) {
    press(Qt::Key_F1);
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0].rfind("https://", 0), 0u);
}

TEST_F(MenusTest, ItemsWithoutTheirWindowsStayDisabled) {
    for (QAction* a : {form->actOptions, form->actAbout, form->actLoadSettings,
                       form->actSaveSettings, form->actSelectTimeZone}) {
        EXPECT_FALSE(a->isEnabled());
    }
}

}  // namespace
}  // namespace temura
