// The GUI tests run GoogleTest inside a QApplication (the platform plugin comes from the test's
// environment: offscreen under ctest).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
