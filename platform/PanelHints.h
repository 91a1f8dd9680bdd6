#pragma once

#include <cstdint>

namespace purlo {

// What the window manager is told about the program's small desktop panels (the cat's
// and the butterfly's) each time before they show: they belong on every workspace and
// in no taskbar or pager.
class PanelHints {
public:
    virtual ~PanelHints() = default;

    // nativeWindow: the system's id of a panel that is about to show.
    virtual void prepare(std::uint64_t nativeWindow) = 0;
};

} // namespace purlo
