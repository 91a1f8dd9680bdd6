#pragma once

#include "platform/Environment.h"
#include "platform/x11/X11Connection.h"

#include <functional>
#include <optional>
#include <string>

namespace purlo {

// The cat's windows are placed, stacked and made click-through the X11 way, so the
// program runs on Qt's X11 platform (under Wayland that is XWayland) unless the user
// chose another one.
inline constexpr std::string_view defaultQtPlatform = "xcb";

// Whether the X11 display named by DISPLAY can be opened.
using DisplayOpener = std::function<bool(const std::string& displayName)>;

// Why the program cannot show the cat, in one line, or nothing when it can. Asked
// before the toolkit starts, which would otherwise end the process without a word.
std::optional<std::string> displayProblem(const Environment& environment,
                                          const DisplayOpener& canOpen);

// The check's own connection to the display, kept until the toolkit has connected. An
// X server that resets when its last client leaves (Xvfb without -noreset) would
// otherwise reset between the check and the toolkit's connection, refuse the toolkit,
// and the toolkit would abort the program.
class HeldDisplayConnection {
public:
    // Opens the display and keeps the connection; whether it opened.
    bool open(const std::string& displayName);
    // Once the toolkit has a connection of its own.
    void release() { connection_.reset(); }

private:
    std::optional<X11Connection> connection_;
};

} // namespace purlo
