#pragma once

#include "platform/FixedWindowHints.h"

struct _XDisplay;

namespace purlo {

// Tells the window manager, through the window's Motif hints, which functions and
// title bar buttons a fixed-size window has: move and close, minimise where offered,
// and never resize or maximise. The toolkit writes those hints itself when it makes the
// native window, marking every titled window resizable; these replace them. They are
// written on the toolkit's own connection, so that they follow its writes in the one
// stream of requests the server answers in order, and come before its map.
class X11FixedWindowHints final : public FixedWindowHints {
public:
    // display: the toolkit's connection, which must outlive the hints; none makes them
    // do nothing.
    explicit X11FixedWindowHints(_XDisplay* display);

    void prepare(std::uint64_t nativeWindow, Buttons buttons) override;

private:
    _XDisplay* display_;
};

} // namespace purlo
