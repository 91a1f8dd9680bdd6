#include "tests/app/DisplayPointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace purlo::testing {

bool displayReachable(const std::string& display) {
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr) {
        return false;
    }
    XCloseDisplay(connection);
    return true;
}

bool clickOnDisplay(const std::string& display, int x, int y) {
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr) {
        return false;
    }
    XTestFakeMotionEvent(connection, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(connection, 1, True, CurrentTime);
    XTestFakeButtonEvent(connection, 1, False, CurrentTime);
    XSync(connection, False);
    XCloseDisplay(connection);
    return true;
}

} // namespace purlo::testing
