// The window and dialog tests run on the offscreen platform inside the program's own
// application object, so exceptions of event handlers reach the exception display as in the
// program. A dialog left unanswered fails its test rather than holding the suite.
#include <gtest/gtest.h>

#include <QStandardPaths>

#include "UnansweredModal.h"
#include "shell/ErrorDisplay.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    fretlo::TFretloApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const fretlo::test::TUnansweredModalWatch watch;
    return RUN_ALL_TESTS();
}
