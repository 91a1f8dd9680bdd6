#pragma once

#include <cstdint>

namespace purlo {

// What the window manager is told about a window of fixed size (Settings, onboarding)
// each time before it shows: it may be moved and closed, and minimised where it offers
// that, but never resized or maximised, so its title bar offers no button that would
// do nothing.
class FixedWindowHints {
public:
    enum class Buttons { close, closeAndMinimize };

    virtual ~FixedWindowHints() = default;

    // nativeWindow: the system's id of a fixed-size window that is about to show.
    virtual void prepare(std::uint64_t nativeWindow, Buttons buttons) = 0;
};

} // namespace purlo
