#include "app/DisplayCheck.h"

namespace purlo {

std::optional<std::string> displayProblem(const Environment& environment,
                                          const DisplayOpener& canOpen) {
    const std::string platform =
        environmentValue(environment, "QT_QPA_PLATFORM").value_or(std::string(defaultQtPlatform));
    // "xcb", or "xcb:..." with options for it.
    if (platform.substr(0, platform.find(':')) != defaultQtPlatform) {
        return std::nullopt;
    }
    const auto display = environmentValue(environment, "DISPLAY");
    if (!display) {
        return "Purlo needs an X11 display (an X11 session, or XWayland under Wayland), and "
               "DISPLAY is not set.";
    }
    if (!canOpen(*display)) {
        return "Purlo cannot open the X11 display " + *display + ".";
    }
    return std::nullopt;
}

bool HeldDisplayConnection::open(const std::string& displayName) {
    return connection_.emplace(displayName).isOpen();
}

} // namespace purlo
