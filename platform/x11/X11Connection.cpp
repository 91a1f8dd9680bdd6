#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>

namespace purlo {

X11Connection::X11Connection(const std::optional<std::string>& displayName) {
    // XOpenDisplay would fall back to $DISPLAY for an absent name; nothing is meant.
    if (displayName && !displayName->empty()) {
        display_ = XOpenDisplay(displayName->c_str());
    }
}

X11Connection::~X11Connection() {
    if (display_) {
        XCloseDisplay(display_);
    }
}

unsigned long X11Connection::rootWindow() const {
    return display_ ? DefaultRootWindow(display_) : 0;
}

int X11Connection::fileDescriptor() const {
    return display_ ? ConnectionNumber(display_) : -1;
}

} // namespace purlo
