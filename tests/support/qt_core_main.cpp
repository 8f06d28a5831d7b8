#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

#include "support/test_home.h"

int main(int argc, char** argv) {
    temura::test::makeTemporaryHome();
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
