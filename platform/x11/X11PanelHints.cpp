#include "platform/x11/X11PanelHints.h"

#include "platform/x11/X11ErrorTrap.h"

#include <X11/Xatom.h>
#include <X11/extensions/shape.h>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace purlo {
namespace {

// The desktop number that means every desktop.
constexpr long allDesktops = 0xFFFFFFFF;
// Far more states than any window has.
constexpr long stateLimit = 64;

// The window's states as they stand, in Xlib's longs.
std::vector<long> currentStates(Display* display, Window window, Atom stateAtom) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, stateAtom, 0, stateLimit, False, XA_ATOM,
                                          &type, &format, &count, &after, &data);
    std::vector<long> states;
    if (status == Success && data && type == XA_ATOM && format == 32) {
        states.resize(count);
        std::memcpy(states.data(), data, count * sizeof(long));
    }
    if (data) {
        XFree(data);
    }
    return states;
}

} // namespace

X11PanelHints::X11PanelHints(const X11Connection& connection)
    : connection_(connection) {}

void X11PanelHints::prepare(std::uint64_t nativeWindow) {
    Display* display = connection_.display();
    if (!display || nativeWindow == 0) {
        return;
    }
    const Window window = static_cast<Window>(nativeWindow);
    const Atom stateAtom = XInternAtom(display, "_NET_WM_STATE", False);
    const std::array<long, 3> panelStates{
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_STICKY", False)),
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False)),
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_SKIP_PAGER", False))};

    // The window manager drops both properties whenever the window is withdrawn, so
    // they are set again before every showing, next to whatever states are there. They
    // must be in place before the toolkit's own connection maps the window: the trap
    // waits for the server (succeeded() syncs). A window that is already gone is no
    // error worth more than that.
    X11ErrorTrap trap(display);
    std::vector<long> states = currentStates(display, window, stateAtom);
    for (const long state : panelStates) {
        if (std::ranges::find(states, state) == states.end()) {
            states.push_back(state);
        }
    }
    // Format 32 properties travel as longs in Xlib.
    const long desktop = allDesktops;
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_DESKTOP", False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(&desktop), 1);
    XChangeProperty(display, window, stateAtom, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()),
                    static_cast<int>(states.size()));
    trap.succeeded();
}

void X11PanelHints::setInputArea(std::uint64_t nativeWindow, PixelArea area) {
    Display* display = connection_.display();
    if (!display || nativeWindow == 0) {
        return;
    }
    // X keeps rectangles in 16 bits; a panel is far smaller.
    XRectangle rectangle{static_cast<short>(std::clamp(area.x, -32768, 32767)),
                         static_cast<short>(std::clamp(area.y, -32768, 32767)),
                         static_cast<unsigned short>(std::clamp(area.width, 0, 65535)),
                         static_cast<unsigned short>(std::clamp(area.height, 0, 65535))};
    // In place before the next click arrives: the trap waits for the server.
    X11ErrorTrap trap(display);
    XShapeCombineRectangles(display, static_cast<Window>(nativeWindow), ShapeInput, 0, 0,
                            &rectangle, 1, ShapeSet, Unsorted);
    trap.succeeded();
}

} // namespace purlo
