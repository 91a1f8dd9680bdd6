#pragma once

#include "platform/Environment.h"

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

// Opens and closes a connection to the display.
bool canOpenX11Display(const std::string& displayName);

} // namespace purlo
