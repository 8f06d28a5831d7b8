#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "support/test_home.h"

// For tests that need a real X server (xvfb-run): the xcb platform, not offscreen.
int main(int argc, char** argv) {
    temura::test::makeTemporaryHome();
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
