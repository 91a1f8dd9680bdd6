#include "platform/x11/X11PanelHints.h"
#include "tests/platform/x11/TestDisplay.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::TestDisplay;

TEST(X11PanelHints, PutsThePanelOnEveryDesktopBesideItsOwnStatesAndOnlyOnce) {
    TestDisplay display;
    if (!display.isOpen()) {
        GTEST_SKIP() << display.unavailableReason();
    }
    const unsigned long window = display.createWindow();
    display.setWindowStates(window, {"_NET_WM_STATE_ABOVE"});
    X11Connection connection(display.name());
    X11PanelHints hints(connection);
    hints.prepare(window);
    // Shown again after the window manager kept the states: nothing is added twice.
    hints.prepare(window);

    std::vector<std::string> states = display.windowStates(window);
    std::ranges::sort(states);
    EXPECT_EQ(states,
              (std::vector<std::string>{"_NET_WM_STATE_ABOVE", "_NET_WM_STATE_SKIP_PAGER",
                                        "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_STICKY"}));
    EXPECT_EQ(display.windowDesktop(window), 0xFFFFFFFFul);

    display.destroyWindow(window);
    hints.prepare(window); // a window that is gone is no failure
}

} // namespace
} // namespace purlo
