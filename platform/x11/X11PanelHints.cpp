#include "platform/x11/X11PanelHints.h"

#include "platform/x11/X11ErrorTrap.h"

#include <X11/Xatom.h>
#include <array>

namespace purlo {
namespace {

// The desktop number that means every desktop.
constexpr long allDesktops = 0xFFFFFFFF;

} // namespace

X11PanelHints::X11PanelHints(const X11Connection& connection)
    : connection_(connection) {}

void X11PanelHints::prepare(std::uint64_t nativeWindow) {
    Display* display = connection_.display();
    if (!display || nativeWindow == 0) {
        return;
    }
    const Window window = static_cast<Window>(nativeWindow);
    // Format 32 properties travel as longs in Xlib.
    const long desktop = allDesktops;
    const std::array<long, 3> states{
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_STICKY", False)),
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False)),
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_SKIP_PAGER", False))};

    // The properties must be in place before the toolkit's own connection maps the
    // window, so this waits for the server (succeeded() syncs); a window that is already
    // gone is no error worth more than that.
    X11ErrorTrap trap(display);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_DESKTOP", False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(&desktop), 1);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeAppend, reinterpret_cast<const unsigned char*>(states.data()),
                    static_cast<int>(states.size()));
    trap.succeeded();
}

} // namespace purlo
