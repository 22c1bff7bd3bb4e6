// The display decision.
#include "core/display.h"

#include "core/environment.h"

DisplayState DetectDisplay(const std::function<bool()>& x11Connects) {
    std::string platform = GetEnv("QT_QPA_PLATFORM");
    platform = platform.substr(0, platform.find_first_of(":;"));
    bool x11 = !GetEnv("DISPLAY").empty() && x11Connects();
    DisplayState state;
    if (platform.empty()) state.usable = x11 || !GetEnv("WAYLAND_DISPLAY").empty();
    else if (platform == "xcb") state.usable = x11;
    else state.usable = true;
    state.real = state.usable && platform != "offscreen" && platform != "minimal";
    return state;
}
