#include "platform/qt/HeadlessPlatform.h"
#include "tool/media/widgets/WidgetCommands.h"

namespace fretlo::tool {

namespace {

// QApplication keeps the argument count and vector for its whole life.
int argumentCount = 1;
char programName[] = "fretlo-tool";
char* arguments[] = {programName, nullptr};

}  // namespace

// The platform is chosen before the application is made.
THeadlessApplication::THeadlessApplication() : app_((SelectHeadlessPlatform(), argumentCount), arguments) {}

}  // namespace fretlo::tool
