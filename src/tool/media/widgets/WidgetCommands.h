// The commands of fretlo-tool-media that draw with the view's widgets (image, print), in a
// folder of their own: a build without the widgets leaves them out.
#pragma once

#include <QApplication>
#include <string>
#include <vector>

namespace fretlo::tool {

int CmdImage(const std::vector<std::string>& args);
int CmdPrint(const std::vector<std::string>& args);

// The application the widgets need, on Qt's offscreen platform when there is no display.
class THeadlessApplication {
public:
    THeadlessApplication();

private:
    QApplication app_;
};

}  // namespace fretlo::tool
