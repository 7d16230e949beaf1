// Drawing without a display server: pictures, tests and benchmarks.
#pragma once

namespace fretlo {

// Selects Qt's offscreen platform when neither DISPLAY nor WAYLAND_DISPLAY is set and
// no platform was chosen; call it before the QApplication is created.
void SelectHeadlessPlatform();

}  // namespace fretlo
