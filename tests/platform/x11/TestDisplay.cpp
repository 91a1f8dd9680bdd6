#include "tests/platform/x11/TestDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <cstdlib>

namespace purlo::testing {

TestDisplay::TestDisplay() {
    const char* name = std::getenv("PURLO_TEST_DISPLAY");
    if (!name || !*name) {
        unavailableReason_ = "PURLO_TEST_DISPLAY is not set: run scripts/run-tests.sh, which "
                             "starts a private Xvfb display for the X11 tests.";
        return;
    }
    name_ = name;
    display_ = XOpenDisplay(name);
    if (!display_) {
        unavailableReason_ = "the test display " + name_ +
                             " named by PURLO_TEST_DISPLAY cannot "
                             "be opened.";
    }
}

TestDisplay::~TestDisplay() {
    if (display_) {
        XCloseDisplay(display_);
    }
}

int TestDisplay::screenHeight() const {
    return DisplayHeight(display_, DefaultScreen(display_));
}

void TestDisplay::sync() {
    XSync(display_, False);
}

void TestDisplay::pressAndReleaseKey(char letter) {
    const char name[] = {letter, '\0'};
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(name));
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    sync();
}

void TestDisplay::movePointer(int x, int y) {
    XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
    sync();
}

unsigned long TestDisplay::createWindow() {
    const Window window =
        XCreateSimpleWindow(display_, DefaultRootWindow(display_), 10, 10, 50, 50, 0, 0, 0);
    sync();
    return window;
}

void TestDisplay::setWindowClass(unsigned long window, const std::string& instanceName,
                                 const std::string& className) {
    std::string instance = instanceName;
    std::string klass = className;
    XClassHint hint{instance.data(), klass.data()};
    XSetClassHint(display_, window, &hint);
    sync();
}

void TestDisplay::setProcessId(unsigned long window, long processId) {
    XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&processId), 1);
    sync();
}

void TestDisplay::destroyWindow(unsigned long window) {
    XDestroyWindow(display_, window);
    sync();
}

void TestDisplay::setActiveWindow(std::optional<unsigned long> window) {
    const Atom active = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    if (window) {
        const long value = static_cast<long>(*window);
        XChangeProperty(display_, DefaultRootWindow(display_), active, XA_WINDOW, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&value), 1);
    } else {
        XDeleteProperty(display_, DefaultRootWindow(display_), active);
    }
    sync();
}

std::vector<std::string> TestDisplay::windowStates(unsigned long window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_STATE", False), 0, 64,
                       False, XA_ATOM, &type, &format, &count, &after, &data);
    std::vector<std::string> names;
    for (unsigned long i = 0; data && format == 32 && i < count; ++i) {
        char* name = XGetAtomName(display_, reinterpret_cast<const Atom*>(data)[i]);
        names.emplace_back(name ? name : "");
        XFree(name);
    }
    if (data) {
        XFree(data);
    }
    return names;
}

void TestDisplay::setWindowStates(unsigned long window, const std::vector<std::string>& states) {
    std::vector<Atom> atoms;
    for (const std::string& state : states) {
        atoms.push_back(XInternAtom(display_, state.c_str(), False));
    }
    XChangeProperty(display_, window, XInternAtom(display_, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(atoms.data()),
                    static_cast<int>(atoms.size()));
    sync();
}

std::optional<unsigned long> TestDisplay::windowDesktop(unsigned long window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_DESKTOP", False), 0, 1,
                       False, XA_CARDINAL, &type, &format, &count, &after, &data);
    std::optional<unsigned long> desktop;
    if (data && format == 32 && count == 1) {
        // Xlib hands 32-bit items over in sign-extended longs.
        desktop = static_cast<unsigned long>(*reinterpret_cast<const long*>(data)) & 0xFFFFFFFFul;
    }
    if (data) {
        XFree(data);
    }
    return desktop;
}

} // namespace purlo::testing
