#pragma once

#include <X11/Xlib.h>

namespace purlo {

// Catches the protocol errors of one connection while it lives. Xlib's default is to
// end the program on any error, and a window may vanish between two requests about
// it; inside a trap that is a missing answer instead. Errors of other connections
// (the toolkit's own) go to whatever handler was installed before. Main thread only;
// used by the X11 sources' own files, which include Xlib anyway.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits until the server has answered everything sent so far; true when none of
    // it failed. The last call inside the trap.
    bool succeeded();
    // The same once the last request sent was one that waits for its own reply: the
    // server answers in order, so everything before it has been answered too and no
    // further round trip is needed. The last call inside the trap.
    bool answered();

private:
    static int record(Display* display, XErrorEvent* event);

    // Xlib calls a plain function, so the trap that is listening has to be findable.
    static X11ErrorTrap* innermost_;

    Display* display_;
    X11ErrorTrap* outer_;
    XErrorHandler previousHandler_;
    bool failed_ = false;
    bool synced_ = false;
};

} // namespace purlo
