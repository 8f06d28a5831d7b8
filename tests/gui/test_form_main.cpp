#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <utility>

#include "clock/zone_arithmetic.h"
#include "qtgui/form_main.h"
#include "support/fake_desktop.h"
#include "support/fake_system_clock.h"
#include "support/fake_tick_player.h"
#include "support/main_services.h"
#include "ui/main_rules.h"

namespace temura {
namespace {

using test::FakeDesktop;
using test::FakeSystemClock;

class FormMainTest : public ::testing::Test {
  protected:
    FakeSystemClock clock;
    FakeDesktop desktop;
    test::FakeTickPlayer ticks;
    ClockState state;
    std::unique_ptr<TFormMain> form;

    void SetUp() override {
        clock.setWarsawWinter();
        clock.setLocal(2026, 12, 7, 23, 30, 15, 420);
        clock.utc = clock.local;
        clock.utc.hour = 22;
        clock.uptime = 100ull * 3'600'000 + 61'000;
        clock.tick = 5'000;
        state.English = true;
        form = std::make_unique<TFormMain>(state, test::windowOnlyServices(clock, desktop, ticks));
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(form.get(), static_cast<Qt::Key>(key), mods);
    }
    QString timeText() {
        form->TimerTimer();
        return form->lblTime->text();
    }
    static constexpr auto kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

    void checkModeLetterGap(const char* family, bool italic, int size);
};

// The first and last columns of `image` holding anything but `background` (-1 when none).
std::pair<int, int> inkColumns(const QImage& image, QRgb background) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) != 0 && (p | 0xFF000000u) != (background | 0xFF000000u)) {
                if (first < 0) first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

void FormMainTest::checkModeLetterGap(const char* family, bool italic, int size) {
    state.TimerFontItalic = italic;
    DisplayLook look = form->currentLook();
    look.TimerFontName = family;
    look.TimerFontSize = size;
    form->applyLook(look);
    form->TimerTimer();
    form->SetSize();
    const QRgb black = qRgb(0, 0, 0);
    const int timeInk = inkColumns(form->lblTime->grab().toImage(), black).first;
    const int modeInk =
        form->lblMode->x() + inkColumns(form->lblMode->grab().toImage(), black).second;
    EXPECT_GE(timeInk - modeInk - 1, kModeInkGap) << family << (italic ? " italic " : " ") << size;
}

TEST_F(FormMainTest, StartPositionBeyondTheDesktopIsFlushWithItsEdgeAfterEverySwitch) {
    const QSize area = QGuiApplication::primaryScreen()->virtualSize();
    const std::vector<std::vector<std::string>> cases = {
        {"start", "y=99999"}, {"s", "x=99999", "y=99999"}, {"e", "y=99999"}, {"y=99999"}};
    for (const auto& args : cases) {
        MainServices services = test::windowOnlyServices(clock, desktop, ticks);
        services.clockArgs = args;
        form = std::make_unique<TFormMain>(state, std::move(services));
        EXPECT_EQ(form->y() + form->height(), area.height()) << args[0];
        if (args.size() == 3) {
            EXPECT_EQ(form->x() + form->width(), area.width());
        }
    }
}

TEST_F(FormMainTest, ModeLetterKeepsClearOfTheTimeAtEverySize) {
    // The built-in font, and italic ones whose first digit leans out to the left.
    const struct {
        const char* family;
        bool italic;
    } fonts[] = {{"MS Sans Serif", false}, {"Liberation Sans", true}, {"DejaVu Sans Mono", true}};
    for (const auto& font : fonts) {
        for (int size = kMinFontSize; size <= kMaxFontSize; ++size) {
            checkModeLetterGap(font.family, font.italic, size);
        }
    }
}

TEST_F(FormMainTest, DragsByHandWithoutAWindowManagerAndSnapsToTheEdge) {
    const auto send = [this](QEvent::Type type, QPoint global, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(form->lblTime->mapFromGlobal(global)), QPointF(global),
                      Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(form->lblTime, &e);
    };
    const QRect area = form->screen()->availableGeometry();
    const struct {
        QPoint shift;  // of the pointer from the press
        QPoint expected;
    } cases[] = {
        {{1, 1}, {200, 150}},             // too short to count as a drag
        {{40, -30}, {240, 120}},          // follows the pointer
        {{-197, 0}, {area.left(), 150}},  // 3 px from the left edge: snaps to it
    };
    for (const auto& c : cases) {
        form->move(200, 150);
        const QPoint press = form->lblTime->mapToGlobal(QPoint(5, 5));
        send(QEvent::MouseButtonPress, press, Qt::LeftButton);
        send(QEvent::MouseMove, press + c.shift, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, press + c.shift, Qt::NoButton);
        EXPECT_EQ(form->pos(), c.expected) << c.shift.x() << "," << c.shift.y();
    }
}

TEST_F(FormMainTest, EachModeShowsItsReadingAfterATick) {
    const struct {
        QAction* TFormMain::*action;
        const char* text;
        const char* letter;
    } cases[] = {
        {&TFormMain::actSetModeT, "23:30:15", "T"},   {&TFormMain::actSetModeE, "@979.3", "E"},
        {&TFormMain::actSetModeW, "100:01:01", "W"},  {&TFormMain::actSetModeU, "22:30:15", "U"},
        {&TFormMain::actSetModeS, "00:00:00.0", "S"},
    };
    for (const auto& c : cases) {
        ((*form).*(c.action))->trigger();
        EXPECT_EQ(timeText().toStdString(), c.text);
        EXPECT_EQ(form->lblMode->text().toStdString(), c.letter);
        EXPECT_TRUE(((*form).*(c.action))->isChecked());
    }
}

TEST_F(FormMainTest, ModeCyclesByClickAndShortcut) {
    EXPECT_EQ(state.Mode, kModeTimer);
    QTest::mouseClick(form->lblMode, Qt::LeftButton);
    EXPECT_EQ(state.Mode, kModeETime);
    EXPECT_TRUE(form->actSetModeE->isChecked());
    press(Qt::Key_M, kCtrlShift);
    EXPECT_EQ(state.Mode, kModeWindows);
    for (int i = 0; i < 3; ++i) press(Qt::Key_M, kCtrlShift);
    EXPECT_EQ(state.Mode, kModeTimer);
    EXPECT_EQ(form->lblMode->text(), QStringLiteral("T"));
}

TEST_F(FormMainTest, ModeShortcutsSelectModes) {
    press(Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(state.Mode, kModeUtc);
    press(Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(state.Mode, kModeStopwatch);
    press(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(state.Mode, kModeTimer);
}

TEST_F(FormMainTest, FormatShortcutsCycle) {
    press(Qt::Key_T, kCtrlShift);
    EXPECT_EQ(state.TimeFormat, 2);
    EXPECT_EQ(timeText(), QStringLiteral("23:30:15.4"));
    press(Qt::Key_T, kCtrlShift);
    EXPECT_EQ(state.TimeFormat, 0);
    EXPECT_EQ(timeText(), QStringLiteral("23:30"));

    form->actSetModeE->trigger();
    press(Qt::Key_E, kCtrlShift);
    EXPECT_EQ(state.ETimeFormat, 2);
    EXPECT_EQ(timeText(), QStringLiteral("@979.34"));
    press(Qt::Key_E, kCtrlShift);
    EXPECT_EQ(timeText(), QStringLiteral("@979"));

    const QString before = form->lblDate->text();
    press(Qt::Key_A, kCtrlShift);
    EXPECT_EQ(state.DateFormat, 3);
    EXPECT_EQ(form->lblDate->text(), QStringLiteral("Mon, 07.12.2026"));
    EXPECT_NE(form->lblDate->text(), before);
    for (int i = 0; i < 3; ++i) press(Qt::Key_A, kCtrlShift);
    EXPECT_EQ(state.DateFormat, 0);
    EXPECT_EQ(form->lblDate->text(), QStringLiteral("Monday, 07 December 2026"));
}

TEST_F(FormMainTest, FontSizeStopsAtBothEnds) {
    for (int i = 0; i < 200; ++i) press(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(form->lblTime->font().pointSize(), 160);
    const int bigWidth = state.FormWidthCalc;
    for (int i = 0; i < 200; ++i) press(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form->lblTime->font().pointSize(), 4);
    EXPECT_LT(state.FormWidthCalc, bigWidth);
}

TEST_F(FormMainTest, VisibilityKeysReLayTheWindow) {
    form->TimerTimer();
    form->SetSize();
    const int height0 = state.FormHeightCalc;
    const int width0 = state.FormWidthCalc;
    ASSERT_TRUE(state.DateVisible);
    ASSERT_TRUE(form->lblTZ->isVisible());

    press(Qt::Key_F7);  // date off
    EXPECT_FALSE(state.DateVisible);
    EXPECT_FALSE(form->lblDate->isVisible());
    EXPECT_LT(state.FormHeightCalc, height0);
    const int noDate = state.FormHeightCalc;

    press(Qt::Key_F8);  // zone name off
    EXPECT_FALSE(state.TZVisible);
    EXPECT_FALSE(form->lblTZ->isVisible());
    EXPECT_LT(state.FormHeightCalc, noDate);
    EXPECT_EQ(form->height(), state.FormHeightCalc);

    press(Qt::Key_F6);  // mode letter off
    EXPECT_FALSE(state.ModeVisible);
    EXPECT_FALSE(form->lblMode->isVisible());
    EXPECT_LT(state.FormWidthCalc, width0);

    press(Qt::Key_F6);
    press(Qt::Key_F7);
    press(Qt::Key_F8);
    EXPECT_EQ(state.FormHeightCalc, height0);
    EXPECT_TRUE(form->actShowDate->isChecked());
    EXPECT_TRUE(form->actShowTZName->isChecked());
}

TEST_F(FormMainTest, ZoneLineHiddenOutsideTimerMode) {
    form->SetSize();
    const int withZone = state.FormHeightCalc;
    form->actSetModeU->trigger();
    form->SetSize();
    EXPECT_TRUE(state.TZVisible);
    EXPECT_FALSE(form->lblTZ->isVisible());
    EXPECT_LT(state.FormHeightCalc, withZone);
    EXPECT_EQ(state.FormHeightCalc + 0, form->height());
}

TEST_F(FormMainTest, ButtonsAddARow) {
    form->SetSize();
    const int h = form->height();
    press(Qt::Key_F5);
    EXPECT_TRUE(form->btnStart->isVisible());
    EXPECT_EQ(form->height(), h + 16);
    press(Qt::Key_F5);
    EXPECT_FALSE(form->btnStop->isVisible());
    EXPECT_EQ(form->height(), h);
}

TEST_F(FormMainTest, SelectedZoneShowsItsTimeAndSign) {
    ZoneSelection ahead{"Ahead", 120, 0, 0, 0, 0};  // system is +60, the zone +120
    applyZone(state, clock, ahead);
    form->showZoneChanged();
    EXPECT_EQ(state.ZoneShift, 60);
    EXPECT_EQ(timeText(), QStringLiteral("00:30:15"));
    EXPECT_EQ(form->lblMode->text(), QStringLiteral("T+"));
    EXPECT_EQ(form->lblTZ->text(), QStringLiteral("Ahead"));

    applyZone(state, clock, ZoneSelection{"Behind", -300, 0, 0, 0, 0});
    form->showZoneChanged();
    EXPECT_EQ(timeText(), QStringLiteral("17:30:15"));
    EXPECT_EQ(form->lblMode->text(), QStringLiteral("T-"));

    press(Qt::Key_D, kCtrlShift);  // back to the system zone
    EXPECT_FALSE(state.UseTZ);
    EXPECT_EQ(timeText(), QStringLiteral("23:30:15"));
    EXPECT_EQ(form->lblMode->text(), QStringLiteral("T"));
    EXPECT_EQ(form->lblTZ->text(), QStringLiteral("CET"));
}

TEST_F(FormMainTest, TimeChangeNotificationRereadsTheZone) {
    clock.setWarsawSummer();
    ASSERT_TRUE(clock.handler);
    clock.handler();
    EXPECT_TRUE(state.SysInDST);
    EXPECT_EQ(state.SysZoneName, "CEST");
}

TEST_F(FormMainTest, DoubleClickOpensDateTimeSettings) {
    QTest::mouseDClick(form->lblTime, Qt::LeftButton);
    EXPECT_EQ(desktop.dateTimeSettingsRequests, 1);
}

TEST_F(FormMainTest, SysClockMovesOnlyWhereATaskbarClockExists) {
    const QPoint before = form->pos();
    press(Qt::Key_C, kCtrlShift);
    EXPECT_EQ(form->pos(), before);
    desktop.taskbarClock = ScreenPoint{300, 200};
    press(Qt::Key_C, kCtrlShift);
    EXPECT_EQ(form->pos(), QPoint(300, 200));
}

TEST_F(FormMainTest, WindowAndTrayShowTheProgramsIconInEverySize) {
    for (const QIcon& icon : {form->windowIcon(), form->cti->icon()}) {
        for (const int size : {16, 22, 24, 32, 48, 64}) {
            EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size)) << size;
        }
        // Never scaled up past its largest rendering.
        EXPECT_EQ(icon.pixmap(128, 128).size(), QSize(64, 64));
    }
}

TEST_F(FormMainTest, EscapeEndsTheProgram) {
    QSignalSpy quit(QCoreApplication::instance(), &QCoreApplication::aboutToQuit);
    press(Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace temura

namespace temura {
namespace {

TEST_F(FormMainTest, DisplayTickWakesOnlyWhenTheTextCanChange) {
    state.PlayTick = false;  // no tick to sound each second: HH:MM may sleep past them
    form->TimerTimer();      // 23:30:15.420, seconds shown
    EXPECT_TRUE(form->Timer->isActive());
    EXPECT_TRUE(form->Timer->isSingleShot());
    EXPECT_EQ(form->Timer->interval(), 580 + 2);
    press(Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);  // tenths: rescheduled at once
    EXPECT_EQ(form->Timer->interval(), 80 + 2);
    // HH:MM: the next minute is 44.58 s away, so the slow tick's two seconds come first.
    press(Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->Timer->interval(), 2000);
    const QString date = form->lblDate->text();
    clock.tick += 2000;
    clock.local.day += 1;  // the slow tick renews the date line on this wake-up
    form->TimerTimer();
    EXPECT_NE(form->lblDate->text(), date);
    EXPECT_EQ(form->Timer->interval(), 2000);
    press(Qt::Key_5, Qt::ControlModifier);  // a stopped stopwatch has nothing new to show
    EXPECT_EQ(form->Timer->interval(), 1000 + 2);
    press(Qt::Key_F2);  // running: aligned to its start
    EXPECT_EQ(form->Timer->interval(), 100 + 2);
}

}  // namespace
}  // namespace temura
