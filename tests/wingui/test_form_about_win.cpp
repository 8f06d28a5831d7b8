// The Windows About box: its keys through the system's input queue, its picture read back pixel
// by pixel, its links and its tick.

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <numbers>
#include <thread>

#include "wingui/form_about.h"
#include "wingui/win_clock_window.h"

namespace temura::test {
namespace {

class WinAboutTest : public ::testing::Test, public ClockWindow {
  protected:
    std::unique_ptr<wingui::TFormAbout2> about;

    void SetUp() override {
        make();
        about = std::make_unique<wingui::TFormAbout2>(*form);
        wingui::TFormMain::WindowOpeners openers;
        openers.about = [this] { about->open(); };
        form->setWindowOpeners(std::move(openers));
    }
    void TearDown() override {
        about.reset();
        form.reset();
        pump(nullptr);
    }
    void press(std::initializer_list<WORD> keys) {
        pressKeys(keys);
        pump(form.get(), 150);
    }
    // The picture's colour at `degrees` clockwise from twelve o'clock, `radius` from the centre.
    COLORREF at(double degrees, int radius) const {
        const double a = degrees * std::numbers::pi / 180.0;
        return about->pixel(110 + static_cast<int>(std::lround(std::sin(a) * radius)),
                            110 - static_cast<int>(std::lround(std::cos(a) * radius)));
    }
};

TEST_F(WinAboutTest, OpensAndClosesWithItsKeys) {
    SetForegroundWindow(form->hwnd());
    pump(form.get(), 100);
    press({VK_SHIFT, VK_F1});
    ASSERT_TRUE(about->visible());
    EXPECT_TRUE(about->timerRunning());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(about->hwnd(), region), ERROR);
    EXPECT_TRUE(PtInRegion(region, 110, 110));
    EXPECT_TRUE(PtInRegion(region, 110, 2));
    EXPECT_FALSE(PtInRegion(region, 3, 3));  // round, not square
    DeleteObject(region);
    RECT client;
    GetClientRect(about->hwnd(), &client);
    EXPECT_EQ(client.right, 220);  // no frame
    EXPECT_EQ(client.bottom, 220);

    const int counter = about->animation().counter();
    press({VK_CONTROL, VK_OEM_PERIOD});
    EXPECT_EQ(about->animation().counter(), counter + 1);

    press({VK_SHIFT, VK_F1});  // the key that opened it
    EXPECT_FALSE(about->visible());
    EXPECT_FALSE(about->timerRunning());
    about->open();
    pump(form.get(), 100);
    press({VK_ESCAPE});
    EXPECT_FALSE(about->visible());
}

// The sweep fills twelve o'clock to the counter in the sweep colour, the rest stays black, and
// the marks take the active channel's colour; a turn of 360 ticks resets the colours and moves
// to the next channel.
TEST_F(WinAboutTest, PictureShowsTheChannelsAndTheirReset) {
    const struct {
        int ticks;
        double inside;  // a point within the sector (away from the texts)
        int radius;
        COLORREF sweep;
        double outside;  // a point past the sector's end; negative: none
        COLORREF mark;
    } cases[] = {
        {8, 4, 95, RGB(21, 10, 30), 90, RGB(220, 0, 0)},
        {45, 40, 80, RGB(25, 10, 30), 90, RGB(220, 0, 0)},
        {359, 300, 80, RGB(64, 10, 30), -1, RGB(220, 0, 0)},
        {360, 270, 80, RGB(0, 0, 0), 90, RGB(0, 220, 0)},  // a new turn: black, green's turn
        {368, 4, 95, RGB(20, 11, 30), 90, RGB(0, 220, 0)},
    };
    int done = 0;
    for (const auto& c : cases) {
        for (; done < c.ticks; ++done) about->Timer1Timer();
        EXPECT_EQ(at(c.inside, c.radius), c.sweep) << c.ticks;
        if (c.outside >= 0) {
            EXPECT_EQ(at(c.outside, 80), RGB(0, 0, 0)) << c.ticks;
        }
        EXPECT_EQ(about->pixel(110, 5), c.mark) << c.ticks;    // twelve o'clock
        EXPECT_EQ(about->pixel(215, 110), c.mark) << c.ticks;  // three o'clock
    }
}

TEST_F(WinAboutTest, TicksItselfWhileTheClockStaysSilent) {
    state.PlayTick = true;
    about->open();
    pump(form.get());
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

TEST_F(WinAboutTest, LanguageShowsAtTheNextTickAndTheSweepGoesOn) {
    about->open();
    EXPECT_EQ(about->shownVersion(), "Version 1.0");
    state.English = false;
    EXPECT_EQ(about->shownVersion(), "Version 1.0");
    about->Timer1Timer();
    EXPECT_EQ(about->shownVersion(), "Wersja 1.0");
    const int counter = about->animation().counter();
    about->close();
    about->open();
    about->Timer1Timer();
    EXPECT_EQ(about->animation().counter(), counter + 1);
}

TEST_F(WinAboutTest, LinksOpenThroughTheDesktopAndMinimisingCloses) {
    about->open();
    pump(form.get());
    using Link = wingui::TFormAbout2::Link;
    const auto clickOn = [this](Link link, int dx) {
        const RECT r = about->linkRect(link);
        const LPARAM p = MAKELPARAM((r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2);
        SendMessageW(about->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, p);
        SendMessageW(about->hwnd(), WM_LBUTTONUP, 0, p);
    };
    clickOn(Link::Www, 0);
    clickOn(Link::Author, 0);
    clickOn(Link::Author, 120);  // beside the line: nothing
    ASSERT_EQ(desktop.opened.size(), 2u);
    EXPECT_EQ(desktop.opened[0].rfind("https://", 0), 0u);
    EXPECT_EQ(desktop.opened[1].rfind("mailto:", 0), 0u);
    EXPECT_NE(desktop.opened[1].find("subject=Temura%201.0"), std::string::npos);

    command(Command::Minimize);
    EXPECT_FALSE(about->visible());
}

// Held down and moved, the mouse carries the box along from the first move on (that one starts
// the system's move loop, which runs inside the message that starts it, so the rest of the
// gesture comes from another thread).
TEST_F(WinAboutTest, DragsWithTheMouse) {
    about->open();
    pump(form.get(), 100);
    RECT start;
    GetWindowRect(about->hwnd(), &start);
    const auto mouse = [](DWORD flags, int x, int y) {
        INPUT i{};
        i.type = INPUT_MOUSE;
        i.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        i.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        i.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &i, sizeof i);
    };
    const int x = start.left + 60;
    const int y = start.top + 100;
    mouse(0, x, y);
    pump(form.get(), 50);
    mouse(MOUSEEVENTF_LEFTDOWN, x, y);
    pump(form.get(), 50);
    std::thread rest([&] {
        for (int step = 1; step <= 5; ++step) {
            Sleep(60);
            mouse(0, x + 8 * step, y + 5 * step);
        }
        Sleep(60);
        mouse(MOUSEEVENTF_LEFTUP, x + 40, y + 25);
    });
    pump(form.get(), 800);
    rest.join();
    pump(form.get(), 100);
    RECT end;
    GetWindowRect(about->hwnd(), &end);
    EXPECT_EQ(end.left - start.left, 40 - 8);
    EXPECT_EQ(end.top - start.top, 25 - 5);
}

}  // namespace
}  // namespace temura::test
