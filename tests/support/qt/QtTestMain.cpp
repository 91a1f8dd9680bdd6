#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Widget tests need an application object, and never a real display.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
