#include <gtest/gtest.h>

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

#include "qtgui/form_main.h"
#include "qtgui/form_main_world.h"
#include "qtgui/form_time_zones.h"
#include "qtgui/popup_menu.h"
#include "support/clock_windows.h"
#include "support/fake_zone_table.h"
#include "zones/zone_catalogue.h"

namespace temura {
namespace {

// The clock with every window it opens, linked as the program links them.
class WindowWiringTest : public ::testing::Test, protected test::ClockWindows {
  protected:
    void SetUp() override {
        makeMain();
        makeZonesWindow();
        makeOptionsWindows();
        main->show();
        activate(main.get());
    }

    void activate(QWidget* w) {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    void press(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(w, static_cast<Qt::Key>(key), mods);
    }
};

TEST_F(WindowWiringTest, EachCommandOpensItsWindowAndItsOwnKeyClosesIt) {
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        QWidget* window;
    } cases[] = {
        {Qt::Key_F12, Qt::NoModifier, options.get()},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, zones.get()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        activate(main.get());
        press(main.get(), c.key, c.mods);
        ASSERT_TRUE(c.window->isVisible());
        activate(c.window);
        press(c.window, c.key, c.mods);
        EXPECT_FALSE(c.window->isVisible());
    }
}

TEST_F(WindowWiringTest, SaveKeyOpensTheSaveWindowAndLoadKeyLoadsThePickedFile) {
    press(main.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(save->isVisible());

    files.files["/opt/temura/look.temura"] = "[SETTINGS]\r\nMode=3\r\n";
    prompts.fileAnswers.push_back(QStringLiteral("/opt/temura/look.temura"));
    activate(main.get());
    press(main.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(prompts.fileDialogs, 1);
    EXPECT_EQ(state.Mode, kModeUtc);
}

TEST_F(WindowWiringTest, ZonesChosenInTheZoneWindowAreTheClocksLinesInThatOrder) {
    test::FakeZoneTable table;
    for (const char* name : {"Europe/Warsaw", "America/New_York", "Asia/Tokyo"}) {
        table.entries.push_back(
            test::tableZone(std::nullopt, name, test::ruleBlock(0, 0, 0, {}, {})));
    }
    SetInis(state, files, "/opt/temura");
    ASSERT_EQ(CreateTZIni(files, table, state.SysZonesFile, 2026), 3);
    clock.utc = clock.local;  // 12:00 in Warsaw's winter is 11:00 UTC
    clock.utc.hour = 11;
    zones->TimerTZTimer();
    ASSERT_EQ(zones->lv->rowCount(), 3);
    const int before = main->height();
    for (const int row : {2, 0, 1}) {
        const QModelIndex index = zones->lv->model()->index(row, 0);
        zones->lv->selectionModel()->select(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        zones->actWorld->trigger();
    }
    const QStringList lines = main->worldLines->lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith("Tokyo")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith("Warsaw")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith("New York")) << lines[2].toStdString();
    EXPECT_EQ(main->height(), before + 3 * main->worldLines->lineHeight());
}

TEST_F(WindowWiringTest, TheClockStaysBelowAnyOpenWindowAndFileDialog) {
    ASSERT_TRUE(main->raisingAllowed());
    for (QWidget* w : std::initializer_list<QWidget*>{options.get(), save.get(), zones.get()}) {
        w->show();
        EXPECT_FALSE(main->raisingAllowed()) << w->metaObject()->className();
        w->hide();
        EXPECT_TRUE(main->raisingAllowed());
    }
    // The hint's tooltip would be covered too.
    QToolTip::showText(main->mapToGlobal(QPoint(5, 5)), QStringLiteral("hint"), main->lblTime);
    EXPECT_FALSE(main->raisingAllowed());
    QToolTip::hideText();  // it fades out for a moment
    for (int i = 0; i < 100 && !main->raisingAllowed(); ++i) QTest::qWait(10);
    EXPECT_TRUE(main->raisingAllowed());
    state.FileDialogOpen = true;
    EXPECT_FALSE(main->raisingAllowed());
}

TEST_F(WindowWiringTest, MinimisingClosesTheOpenWindowsOnlyWhereItMinimises) {
    for (const bool tray : {true, false}) {
        desktop.tray = tray;
        main->actOptions->trigger();
        main->actSelectTimeZone->trigger();
        ASSERT_TRUE(options->isVisible() && zones->isVisible());
        main->actMinimize->trigger();
        EXPECT_EQ(options->isVisible(), !tray);
        EXPECT_EQ(zones->isVisible(), !tray);
        main->actRestore->trigger();
    }
}

TEST_F(WindowWiringTest, TheZoneWindowFollowsTheLanguageAndItsZoneReachesTheClock) {
    const QString english = zones->windowTitle();
    main->actChangeLanguage->trigger();
    EXPECT_NE(zones->windowTitle(), english);

    state.TZVisible = true;
    main->syncFromState();
    state.UseTZ = true;
    state.TZName = "Somewhere Else";
    emit zones->zoneUsed();
    EXPECT_EQ(main->lblTZ->text(), QStringLiteral("Somewhere Else"));
}

// Use in the zone window: the clock shows the zone's time, its mark and its name in the hint.
TEST_F(WindowWiringTest, AZoneTakenIntoUseReachesTheClocksMarkAndHint) {
    test::FakeZoneTable table;
    const test::RuleDate usStd{11, 0, 1, 2, 0}, usDst{3, 0, 2, 2, 0};
    const test::RuleDate noRule{};
    table.entries = {test::tableZone(std::nullopt, "(GMT-05:00) America/New_York",
                                     test::ruleBlock(300, 0, -60, usStd, usDst)),
                     test::tableZone(std::nullopt, "(GMT+09:00) Asia/Tokyo",
                                     test::ruleBlock(-540, 0, 0, noRule, noRule))};
    ASSERT_EQ(CreateTZIni(files, table, state.SysZonesFile, 2026), 2);
    zones->TimerTZTimer();
    const struct {
        int row;
        const char* mark;
        const char* name;
    } cases[] = {{0, "T-", "America/New_York"}, {1, "T+", "Asia/Tokyo"}};
    for (const auto& c : cases) {
        // Through the selection model: the view's selectRow reads the keyboard modifiers.
        const QModelIndex at = zones->lv->model()->index(c.row, 0);
        zones->lv->selectionModel()->select(
            at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        zones->btnUse->click();
        EXPECT_EQ(main->lblMode->text(), QString::fromLatin1(c.mark));
        EXPECT_TRUE(main->hintText().contains(QString::fromLatin1(c.name))) << c.name;
    }
}

TEST_F(WindowWiringTest, ZoneNameKeyWorksInEveryModeAfterTheMenuGreyedIt) {
    for (QAction* mode : {main->actSetModeE, main->actSetModeS, main->actSetModeT}) {
        mode->trigger();
        main->popMain->popup(QPoint(0, 0));  // greys the item outside Timer mode
        main->popMain->hide();
        const bool before = state.TZVisible;
        press(main.get(), Qt::Key_F8);
        EXPECT_NE(state.TZVisible, before) << mode->text().toStdString();
    }
}

// The program makes these windows on first use; what happened before still reaches them.
class LazyWindowsTest : public WindowWiringTest {
  protected:
    int made = 0;
    void SetUp() override {
        makeMain();
        main->setWindowMaker([this] {
            ++made;
            makeOptionsWindows();
        });
    }
};

TEST_F(LazyWindowsTest, MadeOnceOnFirstUseWithTheFileLoadedBefore) {
    EXPECT_TRUE(main->actOptions->isEnabled());
    EXPECT_TRUE(main->actSelectTimeZone->isEnabled());

    files.files["/opt/temura/look.temura"] = "[SETTINGS]\r\nMode=3\r\n";
    main->loadSettings("/opt/temura/look.temura");
    EXPECT_EQ(made, 0);

    main->actSaveSettings->trigger();
    ASSERT_EQ(made, 1);
    EXPECT_TRUE(save->isVisible());
    EXPECT_EQ(save->defaultFileName(), QStringLiteral("/opt/temura/look.temura"));
    main->actOptions->trigger();
    main->actSelectTimeZone->trigger();  // no zone window was made: nothing happens
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(options->isVisible());
}

}  // namespace
}  // namespace temura
