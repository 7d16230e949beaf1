// The configuration tests need a QGuiApplication (installed fonts), and the lock tests start
// this program again as the process holding the lock.
#include <gtest/gtest.h>

#include <QGuiApplication>

namespace fretlo::test {
int RunLockHolder(int argc, char** argv);  // ConfigLockTest.cpp
}

int main(int argc, char** argv) {
    if (const int code = fretlo::test::RunLockHolder(argc, argv); code >= 0) return code;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
