#include <gtest/gtest.h>

#include <clocale>

#include "support/test_home.h"

int main(int argc, char** argv) {
    temura::test::makeTemporaryHome();
    std::setlocale(LC_ALL, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
