// The clock stays on top of everything but its own open windows: run on a real X server, once
// without a window manager and once under openbox, reading the stacking order the way the
// desktop sees it.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

#include "support/clock_windows.h"

namespace temura {
namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

std::vector<WId> idsIn(const QString& text) {
    std::vector<WId> ids;
    // Window ids stand alone; sizes such as 200x100 must not read as 0x100.
    static const QRegularExpression hex(QStringLiteral("\\b0x[0-9a-fA-F]+"));
    for (auto it = hex.globalMatch(text); it.hasNext();) {
        ids.push_back(static_cast<WId>(it.next().captured().toULongLong(nullptr, 16)));
    }
    return ids;
}

// Top-level windows from bottom to top: the window manager's list when one runs, else the root
// window's children, which xwininfo lists from the top down.
std::vector<WId> stackingOrder(bool windowManager) {
    if (windowManager) {
        return idsIn(run("xprop", {"-root", "-notype", "_NET_CLIENT_LIST_STACKING"}));
    }
    const QString tree = run("xwininfo", {"-root", "-children"});
    std::vector<WId> ids = idsIn(tree.mid(tree.indexOf(QStringLiteral("children:"))));
    std::reverse(ids.begin(), ids.end());
    return ids;
}

void settle() {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 300) QTest::qWait(20);
}

class StackingTest : public ::testing::TestWithParam<bool>, protected test::ClockWindows {
  protected:
    QProcess windowManager;

    void SetUp() override {
        if (GetParam()) startWindowManager();
        makeMain();
        makeZonesWindow();
        makeOptionsWindows();
        main->show();
        // A deadline above the default: under the sanitizers on a loaded machine, slow.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get(), 10'000));
        settle();
    }
    void TearDown() override {
        closeAll();
        if (windowManager.state() != QProcess::NotRunning) {
            windowManager.kill();
            windowManager.waitForFinished(3000);
        }
    }

    void startWindowManager() {
        // A window manager killed by an earlier test leaves its mark on the root window, which
        // would read as this one being ready before it is.
        run("xprop", {"-root", "-remove", "_NET_SUPPORTING_WM_CHECK"});
        windowManager.start("openbox", {"--sm-disable"});
        ASSERT_TRUE(windowManager.waitForStarted(5000)) << "openbox is missing";
        QElapsedTimer t;
        t.start();
        while (idsIn(run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"})).empty()) {
            ASSERT_LT(t.elapsed(), 10'000) << "openbox did not start";
            QTest::qWait(100);
        }
    }

    // Whether `upper` is stacked above the clock, after the clock had every chance to climb:
    // display ticks, and the user clicking the clock.
    bool aboveTheClock(QWidget* upper) {
        settle();
        for (int i = 0; i < 3; ++i) main->TimerTimer();
        main->FormActivate();
        settle();
        const std::vector<WId> order = stackingOrder(GetParam());
        const auto at = [&order](WId id) {
            return std::find(order.begin(), order.end(), id) - order.begin();
        };
        const auto upperAt = at(upper->winId());
        const auto clockAt = at(main->winId());
        EXPECT_LT(upperAt, static_cast<std::ptrdiff_t>(order.size())) << "not listed";
        EXPECT_LT(clockAt, static_cast<std::ptrdiff_t>(order.size())) << "clock not listed";
        return upperAt > clockAt;
    }
};

TEST_P(StackingTest, TheOrderIsReadTheWayTheDesktopStacks) {
    // A window shown later comes up on top of an earlier one, with or without a manager.
    QWidget first;
    QWidget second;
    for (QWidget* w : {&first, &second}) {
        w->resize(200, 100);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        settle();
    }
    const std::vector<WId> order = stackingOrder(GetParam());
    const auto at = [&order](WId id) {
        return std::find(order.begin(), order.end(), id) - order.begin();
    };
    ASSERT_LT(at(second.winId()), static_cast<std::ptrdiff_t>(order.size()));
    EXPECT_GT(at(second.winId()), at(first.winId()));
}

TEST_P(StackingTest, OpenWindowsAndMessageBoxesStayAboveTheClock) {
    main->actOptions->trigger();  // F12 on a fresh start
    EXPECT_TRUE(aboveTheClock(options.get())) << "options";
    options->hide();
    save->show();
    EXPECT_TRUE(aboveTheClock(save.get())) << "save";
    save->hide();
    main->actSelectTimeZone->trigger();
    EXPECT_TRUE(aboveTheClock(zones.get())) << "time zones";
    zones->hide();

    // A question the clock asks of its own, with no window of it open.
    QMessageBox box(QMessageBox::Question, QStringLiteral("Temura"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No, main.get());
    box.open();
    EXPECT_TRUE(aboveTheClock(&box)) << "message box";
    box.close();
}

TEST_P(StackingTest, EachWindowsOwnKeyStillClosesIt) {
    const struct {
        QAction* open;
        QWidget* window;
    } cases[] = {{main->actOptions, options.get()}, {main->actSelectTimeZone, zones.get()}};
    for (const auto& c : cases) {
        // The key that opens the window, pressed on the clock, and again on the window.
        // Waits with a deadline, not fixed pauses: on a loaded machine the server is slow.
        main->activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(main.get(), 3000));
        QTest::keySequence(main.get(), c.open->shortcut());
        ASSERT_TRUE(QTest::qWaitFor([&] { return c.window->isVisible(); }, 3000));
        static_cast<void>(QTest::qWaitForWindowExposed(c.window, 3000));
        QTest::keySequence(c.window, c.open->shortcut());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !c.window->isVisible(); }, 3000))
            << c.window->metaObject()->className();
    }
}

INSTANTIATE_TEST_SUITE_P(WindowManager, StackingTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& p) {
                             return p.param ? "openbox" : "none";
                         });

}  // namespace
}  // namespace temura
