// Says which window is active, as a window manager would on a desktop that has one: sets
// the root window's _NET_ACTIVE_WINDOW to the window given (an id, decimal or 0x hex),
// so a program that follows the frontmost application sees that window's application in
// front. The private display the bench runs on has no window manager of its own.
//
// Usage: purlo_active_window WINDOW on the display named by DISPLAY.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WINDOW\n", argv[0]);
        return 2;
    }
    char* end = nullptr;
    const unsigned long window = std::strtoul(argv[1], &end, 0);
    if (end == argv[1] || *end != '\0') {
        std::fprintf(stderr, "not a window id: %s\n", argv[1]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    const long value = static_cast<long>(window);
    XChangeProperty(display, DefaultRootWindow(display), active, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&value), 1);
    XCloseDisplay(display);
    return 0;
}
