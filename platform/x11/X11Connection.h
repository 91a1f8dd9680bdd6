#pragma once

#include "platform/Cancellable.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay;
union _XEvent;

namespace purlo {

// One Xlib connection of the program's own, closed when dropped. The display is
// always named by the caller (never taken from the environment here), and a display
// that cannot be reached leaves the connection closed: every sensor built on it then
// reports nothing, and the program goes on without it.
class X11Connection {
public:
    using EventReader = std::function<void(const _XEvent&)>;

    explicit X11Connection(const std::optional<std::string>& displayName);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    bool isOpen() const { return display_ != nullptr; }
    // Null when closed.
    _XDisplay* display() const { return display_; }
    // The default screen's root window; 0 when closed.
    unsigned long rootWindow() const;
    // The socket the event loop watches; -1 when closed.
    int fileDescriptor() const;

    // Events of the given kind go to reader from now on, until the handle is dropped,
    // whichever of the connection's users takes them: the sources sharing it would
    // otherwise drop each other's. The connection must outlive the handle.
    Cancellable readEvents(int type, EventReader reader) const;
    // Hands what the server has sent so far to its readers; events nobody reads are
    // dropped. Reads the socket only when something waits in it and never waits for it,
    // so it asks the server nothing.
    void takeEvents() const;

private:
    struct Reader {
        int type = 0;
        std::uint64_t id = 0;
        EventReader read;
    };

    _XDisplay* display_ = nullptr;
    // Registering a reader changes no state of the server's: it is allowed on the const
    // connection every source holds.
    mutable std::vector<Reader> readers_;
    mutable std::uint64_t lastReaderId_ = 0;
};

} // namespace purlo
