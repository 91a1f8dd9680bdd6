#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>
#include <algorithm>
#include <sys/ioctl.h>

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

Cancellable X11Connection::readEvents(int type, EventReader reader) const {
    const std::uint64_t id = ++lastReaderId_;
    readers_.push_back({type, id, std::move(reader)});
    return Cancellable([this, id] {
        std::erase_if(readers_, [id](const Reader& each) { return each.id == id; });
    });
}

// Other users' round trips may have queued events already; the socket is read once more
// only when the kernel holds something for it.
void X11Connection::takeEvents() const {
    if (!display_) {
        return;
    }
    int waiting = 0;
    if (ioctl(ConnectionNumber(display_), FIONREAD, &waiting) == 0 && waiting > 0) {
        XEventsQueued(display_, QueuedAfterReading);
    }
    while (XEventsQueued(display_, QueuedAlready) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        for (const Reader& reader : readers_) {
            if (reader.type == event.type) {
                reader.read(event);
            }
        }
    }
}

} // namespace purlo
