#include "platform/qt/DesktopPanel.h"
#include "tests/support/RecordingPanelHints.h"

#include <QWindow>
#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

using testing::RecordingPanelHints;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

TEST(DesktopPanel, IsPreparedForTheWindowManagerEachTimeBeforeItShows) {
    RecordingPanelHints hints;
    DesktopPanel panel({160, 204}, false, hints);
    const auto native = static_cast<std::uint64_t>(panel.winId());
    EXPECT_TRUE(hints.prepared.empty());
    panel.orderFront();
    panel.orderFront();
    EXPECT_EQ(hints.prepared, std::vector<std::uint64_t>{native});
    // The window manager forgets a window's states when it goes away.
    panel.orderOut();
    panel.orderFrontRegardless();
    EXPECT_EQ(hints.prepared, (std::vector<std::uint64_t>{native, native}));

    const Qt::WindowFlags flags = panel.windowHandle()->flags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(panel.testAttribute(Qt::WA_TranslucentBackground));
}

TEST(DesktopPanel, ChangesLevelAndClickThroughOnItsOneNativeWindow) {
    RecordingPanelHints hints;
    DesktopPanel panel({72, 72}, true, hints);
    panel.orderFront();
    const WId native = panel.winId();
    EXPECT_TRUE(panel.ignoresMouseEvents());

    panel.setLevel(DesktopPanel::Level::desktop);
    panel.setIgnoresMouseEvents(false);
    const Qt::WindowFlags flags = panel.windowHandle()->flags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnBottomHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowTransparentForInput));
    EXPECT_FALSE(panel.ignoresMouseEvents());
    EXPECT_EQ(panel.winId(), native);
    EXPECT_TRUE(panel.isVisible()) << "no flicker out and back in";
}

TEST(DesktopPanel, NeverTakesAPlaceThatIsNoNumberAndStaysWithinTheWindowSystemsRange) {
    const struct {
        const char* name;
        Point asked;
        Point origin;
    } cases[] = {
        {"a place", {96, 120}, {96, 120}},
        {"half points round", {96.4, 120.6}, {96, 121}},
        {"not a number", {nan, 300}, {96, 121}},
        {"infinitely far", {200, infinity}, {96, 121}},
        {"negative infinity", {-infinity, -infinity}, {96, 121}},
        {"far right", {1e300, 121}, {32767, 121}},
        {"far left", {-1e12, 121}, {-32767, 121}},
    };
    RecordingPanelHints hints;
    DesktopPanel panel({160, 204}, false, hints);
    for (const auto& [name, asked, origin] : cases) {
        panel.setOrigin(asked);
        EXPECT_EQ(panel.origin(), origin) << name;
    }
}

} // namespace
} // namespace purlo
