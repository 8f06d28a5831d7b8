#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "support/test_home.h"

int main(int argc, char** argv) {
    temura::test::makeTemporaryHome();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
