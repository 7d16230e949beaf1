#include "platform/qt/HeadlessPlatform.h"

#include <QByteArray>
#include <cstdlib>

namespace fretlo {

void SelectHeadlessPlatform() {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

}  // namespace fretlo
