// Whether a window can be shown, decided before any Qt application object exists (QApplication
// aborts without a display).
#pragma once

#include <functional>

struct DisplayState {
    bool usable = false;  // QApplication can start
    bool real = false;    // and a box on it can be answered (not offscreen or minimal)
};

// From QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY; x11Connects tells whether the X server of
// DISPLAY answers.
DisplayState DetectDisplay(const std::function<bool()>& x11Connects);
