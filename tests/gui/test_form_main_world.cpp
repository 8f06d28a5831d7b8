#include <gtest/gtest.h>

#include <QAction>
#include <QBackingStore>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QStringList>
#include <QTest>

#include "qtgui/form_full_screen.h"
#include "qtgui/form_main.h"
#include "support/main_services.h"
#include "zones/world_line.h"

namespace temura {
namespace {

// Counts the paint events a widget receives and where they paint.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    QRect painted;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            painted |= static_cast<QPaintEvent*>(event)->rect();
        }
        return QObject::eventFilter(watched, event);
    }
};

class WorldLinesTest : public ::testing::Test {
  protected:
    test::FakeSystemClock clock;
    test::FakeDesktop desktop;
    test::FakeTickPlayer ticks;
    ClockState state;
    std::unique_ptr<TFormMain> form;
    std::unique_ptr<TFormFullScreen> fullScreen;

    void SetUp() override {
        clock.setWarsawWinter();
        clock.setLocal(2026, 12, 7, 23, 30, 15, 420);
        clock.utc = clock.local;
        clock.utc.hour = 22;
        state.English = true;
        form = std::make_unique<TFormMain>(state, test::windowOnlyServices(clock, desktop, ticks));
        fullScreen = std::make_unique<TFormFullScreen>();
        form->setFullScreenWindow(fullScreen.get());
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        for (const char* text : {"300;0;-60;01-11-2026;02:00;08-03-2026;02:00;America/New_York",
                                 "-540;0;0;00-00-0000;00:00;00-00-0000;00:00;Asia/Tokyo",
                                 "-600;0;-60;05-04-2026;03:00;04-10-2026;02:00;Australia/Sydney"}) {
            state.WorldLines.push_back(parseWorldLine(text).value());
        }
        form->worldLinesChanged();
    }
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(form.get(), static_cast<Qt::Key>(key), mods);
    }
    static QStringList lastLines(const QString& text, qsizetype count) {
        const QStringList all = text.split(QLatin1Char('\n'));
        return all.mid(all.size() - count);
    }
};

TEST_F(WorldLinesTest, ShownInTheirOrderUnderTheClocksLinesInEveryMode) {
    const QStringList expected = {"17:30:15  New York", "07:30:15  Tokyo +1",
                                  "09:30:15  Sydney +1"};
    for (QAction* mode : {form->actSetModeT, form->actSetModeU, form->actSetModeS}) {
        mode->trigger();
        form->TimerTimer();
        EXPECT_EQ(form->worldLines->lines(), expected) << mode->text().toStdString();
        EXPECT_TRUE(form->worldLines->isVisible());
        const QWidget* above = form->lblTZ->isVisible() ? form->lblTZ : form->lblDate;
        EXPECT_EQ(form->worldLines->y(), above->geometry().bottom() + 1);
        EXPECT_EQ(form->worldLines->height(), 3 * form->worldLines->lineHeight());
        EXPECT_EQ(form->worldLines->font(), form->lblTZ->font());
    }
    form->actFullScreen->trigger();
    EXPECT_TRUE(form->worldLines->isVisible());  // full screen shows the clock as it is
    EXPECT_EQ(form->worldLines->lines(), expected);
    form->actFullScreen->trigger();
}

TEST_F(WorldLinesTest, F11HidesAndShowsThemAndTheHeightFollows) {
    const int shown = form->height();
    const int lines = 3 * form->worldLines->lineHeight();
    press(Qt::Key_F11);
    EXPECT_FALSE(state.WorldVisible);
    EXPECT_FALSE(form->actWorldLines->isChecked());
    EXPECT_FALSE(form->worldLines->isVisible());
    EXPECT_EQ(form->height(), shown - lines);
    press(Qt::Key_F11);
    EXPECT_TRUE(state.WorldVisible);
    EXPECT_TRUE(form->actWorldLines->isChecked());
    EXPECT_EQ(form->height(), shown);
    // The defaults leave them as they are.
    form->actDefault->trigger();
    EXPECT_TRUE(state.WorldVisible);
    EXPECT_EQ(state.WorldLines.size(), 3u);
}

// The time-zone window reports a changed list either way.
TEST_F(WorldLinesTest, AChangedListIsRedrawnAndResizedByEitherNotification) {
    const int lineHeight = form->worldLines->lineHeight();
    const int shown = form->height();
    for (void (TFormMain::*notify)() :
         {&TFormMain::worldLinesChanged, &TFormMain::showZoneChanged}) {
        state.WorldLines.erase(state.WorldLines.begin());
        ((*form).*notify)();
        EXPECT_EQ(form->worldLines->lines().size(), state.WorldLines.size());
        EXPECT_EQ(form->worldLines->lines().front(),
                  state.WorldLines.size() == 2 ? "07:30:15  Tokyo +1" : "09:30:15  Sydney +1");
        EXPECT_EQ(form->height(),
                  shown - static_cast<int>(3 - state.WorldLines.size()) * lineHeight);
        EXPECT_FALSE(form->hintText().contains(QStringLiteral("New York")));
    }
}

TEST_F(WorldLinesTest, ALineAddedUnannouncedGetsItsRoomWithinTheRelayoutDelay) {
    QTest::qWait(200);  // the start's own deferred relayout is done
    const int shown = form->height();
    state.WorldLines.push_back(state.WorldLines.front());
    form->TimerTimer();
    QTest::qWait(200);
    EXPECT_EQ(form->height(), shown + form->worldLines->lineHeight());
}

TEST_F(WorldLinesTest, HintGainsTheirLinesInBothLanguages) {
    EXPECT_EQ(lastLines(form->hintText(), 3),
              QStringList({"New York : -05:00", "Tokyo : +09:00", "Sydney : +11:00 (DST)"}));
    EXPECT_EQ(form->worldLines->toolTip(), form->hintText());
    press(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->lblTime->toolTip(), form->hintText());
    EXPECT_EQ(lastLines(form->lblTime->toolTip(), 3),
              QStringList({"New York : -05:00", "Tokyo : +09:00", "Sydney : +11:00 (czas letni)"}));
    press(Qt::Key_F11);
    EXPECT_FALSE(form->lblTime->toolTip().contains(QStringLiteral("Tokyo")));
}

TEST_F(WorldLinesTest, RepaintedOnlyWhenTheirTextChanges) {
    PaintCounter counter;
    form->worldLines->installEventFilter(&counter);
    QTest::qWait(50);  // the window repaints on a timer of its own
    counter.paints = 0;
    counter.painted = {};
    clock.local.millisecond = clock.utc.millisecond = 900;  // the same second
    form->TimerTimer();
    QTest::qWait(50);  // the window repaints on a timer of its own
    EXPECT_EQ(counter.paints, 0);
    clock.local.second = clock.utc.second = 16;
    form->TimerTimer();
    QTest::qWait(50);  // the window repaints on a timer of its own
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(form->worldLines->lines().front(), QStringLiteral("17:30:16  New York"));
    // Only the seconds' last digit, on every line; the names are left as they are.
    const QFontMetrics metrics(form->worldLines->font());
    const int left = 5;  // half the text margin
    EXPECT_LE(counter.painted.left(), left + metrics.horizontalAdvance(QStringLiteral("17:30:1")));
    EXPECT_GE(counter.painted.right(),
              left + metrics.horizontalAdvance(QStringLiteral("17:30:16")));
    EXPECT_LT(counter.painted.right(),
              left + metrics.horizontalAdvance(QStringLiteral("17:30:16  N")));
    EXPECT_EQ(counter.painted.height(), form->worldLines->height());
    // What the window shows is what a whole repaint draws: no stale digit, no cut name.
    auto* shown = dynamic_cast<QImage*>(form->backingStore()->paintDevice());
    ASSERT_NE(shown, nullptr);
    const QImage whole = form->worldLines->grab().toImage().convertToFormat(shown->format());
    EXPECT_EQ(shown->copy(form->worldLines->geometry()), whole);
}

}  // namespace
}  // namespace temura
