#include "platform/x11/X11PointerPosition.h"

#include "platform/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace purlo {

std::optional<Point> x11PointerPosition(const X11Connection& connection) {
    if (!connection.isOpen()) {
        return std::nullopt;
    }
    Display* display = connection.display();
    X11ErrorTrap trap(display);
    Window root = None;
    Window child = None;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    const Bool onThisScreen = XQueryPointer(display, connection.rootWindow(), &root, &child, &rootX,
                                            &rootY, &windowX, &windowY, &buttons);
    // On another screen of the display the position is not one of this root's.
    if (!trap.answered() || !onThisScreen) {
        return std::nullopt;
    }
    return Point{static_cast<double>(rootX), static_cast<double>(rootY)};
}

} // namespace purlo
