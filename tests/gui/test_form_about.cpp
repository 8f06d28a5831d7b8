#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "dialogs/form_about.h"
#include "mainwin/form_main.h"
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
        form = std::make_unique<TFormMain>(
            state, test::windowOnlyServices(clock, desktop, ticks));
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

}  // namespace
}  // namespace temura
