// The editor widget tests run on the offscreen platform with a real clipboard. A message box
// left unanswered fails its test rather than holding the suite.
#include <gtest/gtest.h>

#include <QApplication>

#include "UnansweredModal.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const fretlo::test::TUnansweredModalWatch watch;
    return RUN_ALL_TESTS();
}
