#include <gtest/gtest.h>

#include "ui/about_rules.h"

namespace temura {
namespace {

// One second of the box: the timer's tick, then the drawing.
void second(AboutAnimation& a) {
    a.tick();
    a.beforeDraw();
}

TEST(AboutAnimation, StartsDarkOnRed) {
    AboutAnimation a;
    EXPECT_EQ(a.activeChannel(), AboutAnimation::Channel::Red);
    EXPECT_EQ(a.sweepColour(), 0x1E0A14u);  // RGB(20, 10, 30)
    EXPECT_EQ(a.markColour(), 0x0000DCu);
    EXPECT_EQ(a.counter(), 0);
}

TEST(AboutAnimation, BrightensEveryEighthDegreeAndResetsAfterATurn) {
    AboutAnimation a;
    for (int s = 1; s <= 7; ++s) second(a);
    EXPECT_EQ(a.red(), 20);
    second(a);  // 8
    EXPECT_EQ(a.red(), 21);
    for (int s = 9; s <= 359; ++s) second(a);
    EXPECT_EQ(a.counter(), 359);
    EXPECT_EQ(a.red(), 20 + 44);  // 8, 16, ..., 352
    EXPECT_EQ(a.green(), 10);
    second(a);  // a full turn: back to 0, dark colours, next channel
    EXPECT_EQ(a.counter(), 0);
    EXPECT_EQ(a.red(), 20);
    EXPECT_EQ(a.activeChannel(), AboutAnimation::Channel::Green);
    EXPECT_EQ(a.markColour(), 0x00DC00u);
    EXPECT_EQ(a.sweepColour(), 0u);  // the disc is wiped black at 0
    EXPECT_TRUE(a.wipesBackground());
    for (int s = 1; s <= 16; ++s) second(a);
    EXPECT_EQ(a.green(), 12);
    EXPECT_EQ(a.red(), 20);
}

TEST(AboutAnimation, ChannelsTakeTurns) {
    AboutAnimation a;
    const AboutAnimation::Channel order[] = {AboutAnimation::Channel::Green,
                                             AboutAnimation::Channel::Blue,
                                             AboutAnimation::Channel::Red};
    for (const auto expected : order) {
        for (int s = 0; s < 360; ++s) second(a);
        EXPECT_EQ(a.activeChannel(), expected);
    }
}

TEST(AboutAnimation, IncGstStepsAndBrightensOnEighths) {
    AboutAnimation a;
    for (int i = 0; i < 7; ++i) a.incGST();
    EXPECT_EQ(a.red(), 20);
    a.incGST();
    EXPECT_EQ(a.counter(), 8);
    EXPECT_EQ(a.red(), 21);
}

TEST(AboutAnimation, PieSweepsClockwiseFromTwelve) {
    AboutAnimation a;
    EXPECT_EQ(a.pieSpan16(), -360 * 16);  // counter 0: the whole disc
    a.tick();
    a.tick();
    EXPECT_EQ(a.pieStart16(), 90 * 16);
    EXPECT_EQ(a.pieSpan16(), -2 * 16);
}

TEST(AboutTexts, FollowTheLanguage) {
    EXPECT_EQ(aboutTexts(true).version, "Version 1.0");
    EXPECT_EQ(aboutTexts(false).version, "Wersja 1.0");
    EXPECT_EQ(aboutTexts(false).date, "Maj 2005");
    EXPECT_EQ(aboutTexts(true).date, "May 2005");
}

}  // namespace
}  // namespace temura
