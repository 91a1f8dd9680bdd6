#include "platform/qt/DesktopPanel.h"
#include "tests/support/RecordingPanelHints.h"

#include <QWindow>
#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(DesktopPanel, IsPreparedOnceBeforeEachShowingAndChangesLevelOnItsOneNativeWindow) {
    testing::RecordingPanelHints hints;
    DesktopPanel panel({160, 204}, true, hints);
    const auto native = static_cast<std::uint64_t>(panel.winId());
    EXPECT_TRUE(hints.prepared.empty());
    panel.orderFront();
    panel.orderFront();
    EXPECT_EQ(hints.prepared, std::vector<std::uint64_t>{native});
    EXPECT_TRUE(panel.windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus));

    panel.setLevel(DesktopPanel::Level::desktop);
    panel.setIgnoresMouseEvents(false);
    const Qt::WindowFlags flags = panel.windowHandle()->flags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnBottomHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowTransparentForInput));
    EXPECT_FALSE(panel.ignoresMouseEvents());
    EXPECT_TRUE(panel.isVisible()) << "no flicker out and back in";

    // The window manager forgets a window's states when it goes away; the native window
    // is still the one it was.
    panel.orderOut();
    panel.orderFrontRegardless();
    EXPECT_EQ(hints.prepared, (std::vector<std::uint64_t>{native, native}));
}

TEST(DesktopPanel, IgnoresPlacesThatAreNoNumberAndHoldsFarOnesAtTheWindowSystemsEdge) {
    const std::pair<Point, Point> cases[] = {
        {{96.4, 120.6}, {96, 121}},   {{NAN, 300}, {96, 121}},
        {{200, INFINITY}, {96, 121}}, {{-INFINITY, -INFINITY}, {96, 121}},
        {{1e300, 121}, {32767, 121}}, {{-1e12, 121}, {-32767, 121}},
    };
    testing::RecordingPanelHints hints;
    DesktopPanel panel({160, 204}, false, hints);
    for (const auto& [asked, origin] : cases) {
        panel.setOrigin(asked);
        EXPECT_EQ(panel.origin(), origin) << asked.x << ", " << asked.y;
    }
}

} // namespace
} // namespace purlo
