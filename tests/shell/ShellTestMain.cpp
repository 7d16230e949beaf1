// The window and dialog tests run on the offscreen platform inside the program's own
// application object, so exceptions of event handlers reach the exception display as in the
// program.
#include <gtest/gtest.h>

#include <QStandardPaths>

#include "shell/ErrorDisplay.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    fretlo::TFretloApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
