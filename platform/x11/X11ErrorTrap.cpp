#include "platform/x11/X11ErrorTrap.h"

namespace purlo {

X11ErrorTrap* X11ErrorTrap::innermost_ = nullptr;

X11ErrorTrap::X11ErrorTrap(Display* display)
    : display_(display)
    , outer_(innermost_) {
    previousHandler_ = XSetErrorHandler(&X11ErrorTrap::record);
    innermost_ = this;
}

X11ErrorTrap::~X11ErrorTrap() {
    // An answer still on its way would otherwise meet Xlib's fatal default.
    if (!synced_) {
        XSync(display_, False);
    }
    innermost_ = outer_;
    XSetErrorHandler(previousHandler_);
}

bool X11ErrorTrap::succeeded() {
    XSync(display_, False);
    synced_ = true;
    return !failed_;
}

bool X11ErrorTrap::answered() {
    synced_ = true;
    return !failed_;
}

int X11ErrorTrap::record(Display* display, XErrorEvent* event) {
    for (X11ErrorTrap* trap = innermost_; trap; trap = trap->outer_) {
        if (trap->display_ == display) {
            trap->failed_ = true;
            return 0;
        }
    }
    X11ErrorTrap* outermost = innermost_;
    while (outermost && outermost->outer_) {
        outermost = outermost->outer_;
    }
    const XErrorHandler previous = outermost ? outermost->previousHandler_ : nullptr;
    return previous ? previous(display, event) : 0;
}

} // namespace purlo
