#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    // The record's fonts need the GUI toolkit, which draws here without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
