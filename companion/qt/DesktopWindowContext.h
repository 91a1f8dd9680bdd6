#pragma once

#include "platform/Appearance.h"
#include "platform/EventLoop.h"
#include "platform/PanelHints.h"
#include "platform/WindowPixels.h"

#include <optional>
#include <string>

namespace purlo {

// What the companion's and the butterfly's windows need besides the runtime. All of it
// must outlive the windows.
struct DesktopWindowContext {
    // Where the runtime's changes are received, one turn after they are published.
    EventLoop& loop;
    PanelHints& panelHints;
    const Appearance& appearance;
    // The program's own identifier: with its own windows in front she never hides.
    std::optional<std::string> ownBundleIdentifier;
    // Where her frames may go past the toolkit; none: the toolkit paints every one.
    WindowPixels* windowPixels = nullptr;
};

} // namespace purlo
