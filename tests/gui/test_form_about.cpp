#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "qtgui/form_about.h"
#include "qtgui/form_main.h"
#include "support/fake_desktop.h"
#include "support/fake_system_clock.h"
#include "support/fake_tick_player.h"
#include "support/main_services.h"

namespace temura {
namespace {

class AboutTest : public ::testing::Test {
  protected:
    test::FakeSystemClock clock;
    test::FakeDesktop desktop;
    test::FakeTickPlayer ticks;
    ClockState state;
    std::unique_ptr<TFormMain> form;
    std::unique_ptr<TFormAbout2> about;

    void SetUp() override {
        clock.setLocal(2026, 12, 7, 12, 0, 0, 0);
        state.English = true;
        form = std::make_unique<TFormMain>(state, test::windowOnlyServices(clock, desktop, ticks));
        about = std::make_unique<TFormAbout2>(state, desktop, ticks);
        form->setAboutBox(about.get());
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
};

TEST_F(AboutTest, OpensWithItsKeyAndClosesWithTheSameKey) {
    QTest::keyClick(form.get(), Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_TRUE(about->isVisible());
    EXPECT_TRUE(about->Timer1->isActive());
    EXPECT_TRUE(about->mask().contains(QPoint(110, 110)));
    EXPECT_TRUE(about->mask().contains(QPoint(110, 2)));
    EXPECT_FALSE(about->mask().contains(QPoint(3, 3)));  // round, not square
    about->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(about.get()));
    QTest::keyClick(about.get(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_FALSE(about->isVisible());
    EXPECT_FALSE(about->Timer1->isActive());
}

TEST_F(AboutTest, TicksItselfWhileTheClockStaysSilent) {
    state.PlayTick = true;
    about->open();
    const int before = ticks.builtIn;
    for (int i = 0; i < 3; ++i) {
        clock.local.second += 1;
        form->TimerTimer();  // the clock's second changes, but the box is open
        about->Timer1Timer();
    }
    EXPECT_EQ(ticks.builtIn - before, 3);  // the box's own ticks only
    about->close();
    clock.local.second += 1;
    form->TimerTimer();
    EXPECT_EQ(ticks.builtIn - before, 4);
}

TEST_F(AboutTest, LanguageShowsAtTheNextTickAndTheSweepGoesOn) {
    about->open();
    EXPECT_EQ(about->shownVersion(), QStringLiteral("Version 1.0"));
    state.English = false;
    EXPECT_EQ(about->shownVersion(), QStringLiteral("Version 1.0"));
    about->Timer1Timer();
    EXPECT_EQ(about->shownVersion(), QStringLiteral("Wersja 1.0"));
    const int counter = about->animation().counter();
    about->close();
    about->open();
    about->Timer1Timer();
    EXPECT_EQ(about->animation().counter(), counter + 1);
}

TEST_F(AboutTest, MinimisingClosesTheBoxAndLinksOpenThroughTheDesktop) {
    about->open();
    QTest::mouseClick(about->lblWww, Qt::LeftButton);
    QTest::mouseClick(about->lblAuthor, Qt::LeftButton);
    ASSERT_EQ(desktop.opened.size(), 2u);
    EXPECT_EQ(desktop.opened[0].rfind("https://", 0), 0u);
    EXPECT_EQ(desktop.opened[1].rfind("mailto:", 0), 0u);
    EXPECT_NE(desktop.opened[1].find("subject=Temura%201.0"), std::string::npos);
    desktop.tray = true;
    form->actMinimize->trigger();
    EXPECT_FALSE(about->isVisible());
}

// The box at counter k reached by ticking shows what a box drawn once at k shows: nothing of the
// earlier frames stays, in either language and straight after a switch. (k is no multiple of 8,
// so drawing the copy again changes no colour.)
TEST_F(AboutTest, EachFrameIsDrawnAfresh) {
    struct Case {
        int ticks;
        bool englishBefore;  // the language of all but the last tick
        bool englishLast;
    };
    const Case cases[] = {{1, true, true},     {7, false, false}, {45, true, true},
                          {359, false, false}, {360, true, true}, {100, true, false},
                          {101, false, true}};
    for (const Case& c : cases) {
        state.English = c.englishBefore;
        TFormAbout2 ticked(state, desktop, ticks);
        for (int i = 1; i < c.ticks; ++i) ticked.Timer1Timer();
        state.English = c.englishLast;
        ticked.Timer1Timer();
        TFormAbout2 once(state, desktop, ticks);
        once.animation() = ticked.animation();
        once.Rep();
        EXPECT_TRUE(ticked.grab().toImage() == once.grab().toImage())
            << c.ticks << " ticks, English " << c.englishBefore << " then " << c.englishLast;
    }
}

// Offscreen there is no window manager to move the window: the box follows the mouse itself.
TEST_F(AboutTest, DragsByHandWithoutAWindowManager) {
    about->open();
    const QPoint start = about->pos();
    const QPoint pressed = about->mapToGlobal(QPoint(60, 60));
    const auto send = [this](QEvent::Type type, QPoint global, Qt::MouseButton button,
                             Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(about->mapFromGlobal(global)), QPointF(global), button, held,
                      Qt::NoModifier);
        QApplication::sendEvent(about.get(), &e);
    };
    send(QEvent::MouseButtonPress, pressed, Qt::LeftButton, Qt::LeftButton);
    struct Step {
        QPoint mouse;  // from the press
        bool held;
        QPoint shift;  // of the box from where it started
    };
    const Step steps[] = {{{30, 20}, true, {30, 20}},
                          {{-45, 10}, true, {-45, 10}},
                          {{-45, 10}, false, {-45, 10}},  // released here
                          {{100, 100}, false, {-45, 10}}};
    bool released = false;
    for (const Step& s : steps) {
        if (!s.held && !released) {
            send(QEvent::MouseButtonRelease, pressed + s.mouse, Qt::LeftButton, Qt::NoButton);
            released = true;
        }
        send(QEvent::MouseMove, pressed + s.mouse, Qt::NoButton,
             s.held ? Qt::MouseButtons(Qt::LeftButton) : Qt::MouseButtons(Qt::NoButton));
        EXPECT_EQ(about->pos() - start, s.shift) << s.mouse.x() << "," << s.mouse.y();
    }
}

}  // namespace
}  // namespace temura
