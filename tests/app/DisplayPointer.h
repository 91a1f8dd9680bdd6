#pragma once

#include <string>

namespace purlo::testing {

// The test display as a user's hand on the mouse would reach it. Xlib stays inside the
// source file, so that its macros never meet Qt or the tests.

// True when an X display of that name accepts a connection.
bool displayReachable(const std::string& display);

// Moves the pointer to the global point and clicks the left button there, through the
// X server, as a real click arrives; false when the display cannot be opened.
bool clickOnDisplay(const std::string& display, int x, int y);

} // namespace purlo::testing
