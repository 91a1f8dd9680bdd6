#pragma once

#include <cstdint>

namespace purlo {

// A rectangle of a window's own pixels, from its top-left corner.
struct PixelArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelArea&, const PixelArea&) = default;
};

// What the window system is told about the program's small desktop panels (the cat's
// and the butterfly's): each time before they show, that they belong on every
// workspace and in no taskbar or pager; and which part of a panel takes the pointer.
class PanelHints {
public:
    virtual ~PanelHints() = default;

    // nativeWindow: the system's id of a panel that is about to show.
    virtual void prepare(std::uint64_t nativeWindow) = 0;

    // From now on only area of the panel takes the pointer: the window system itself
    // sends clicks and hovers beside it to the windows below, so that none waits for
    // the panel to be switched over.
    virtual void setInputArea(std::uint64_t nativeWindow, PixelArea area) = 0;
};

} // namespace purlo
