#pragma once

#include <optional>
#include <string>

struct _XDisplay;

namespace purlo {

// One Xlib connection of the program's own, closed when dropped. The display is
// always named by the caller (never taken from the environment here), and a display
// that cannot be reached leaves the connection closed: every sensor built on it then
// reports nothing, and the program goes on without it.
class X11Connection {
public:
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

private:
    _XDisplay* display_ = nullptr;
};

} // namespace purlo
