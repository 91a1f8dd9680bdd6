#include "companion/BubbleSpring.h"
#include "companion/BubbleTransition.h"
#include "companion/CompanionViewLayout.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

using Layout = CompanionViewLayout;

TEST(CompanionViewLayout, TheBubbleStandsSevenPointsAboveHerScaledTop) {
    const struct {
        double s;
        double aboveBottom;
    } cases[] = {{1, 135}, {0.75, 119}, {1.2, 147.8}};
    for (const auto& [s, aboveBottom] : cases) {
        EXPECT_DOUBLE_EQ(Layout::panelHeight - Layout::bubbleBottom(s), aboveBottom) << s;
    }
}

TEST(CompanionViewLayout, HerViewLeavesRoomForHerLiftWithinThePanel) {
    // Being carried lifts her 18 points above her frame at full size.
    constexpr double lift = 18;
    const CanvasRect frame = Layout::catFrame();
    EXPECT_EQ(frame, (CanvasRect{16, 76, 128, 128}));
    for (const double s : {0.75, 1.0, 1.2, 1.32}) {
        const CanvasRect area = Layout::catViewArea(s);
        const double scaledTop = frame.y + frame.height / 2 - 64 * s;
        EXPECT_LE(area.y, scaledTop - lift * s) << s;
        EXPECT_GE(area.x, 0) << s;
        EXPECT_GE(area.y, 0) << s;
        EXPECT_LE(area.x + area.width, Layout::panelWidth) << s;
        EXPECT_LE(area.y + area.height, Layout::panelHeight) << s;
    }
}

TEST(CompanionViewLayout, ASizeThatIsNoNumberDrawsHerAtFullSize) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double scene;
        double user;
        double s;
    } cases[] = {{1, 1.2, 1.2},    {1.05, 0.75, 1.05 * 0.75}, {nan, 1, 1},
                 {infinity, 1, 1}, {1, -infinity, 1},         {0, 1, 0.1},
                 {-2, 1, 0.1}};
    for (const auto& [scene, user, s] : cases) {
        EXPECT_DOUBLE_EQ(Layout::effectiveScale(scene, user), s) << scene << " x " << user;
    }
}

TEST(BubbleSpring, StartsAtRestOvershootsALittleAndSettles) {
    EXPECT_EQ(BubbleSpring::progress(-1), 0);
    EXPECT_EQ(BubbleSpring::progress(0), 0);
    EXPECT_EQ(BubbleSpring::progress(BubbleSpring::settlingTime()), 1);
    EXPECT_GT(BubbleSpring::settlingTime(), BubbleSpring::response);
    EXPECT_LT(BubbleSpring::settlingTime(), 0.5);
    double highest = 0;
    for (double t = 0; t < BubbleSpring::settlingTime(); t += 0.001) {
        highest = std::max(highest, BubbleSpring::progress(t));
    }
    EXPECT_GT(highest, 1.0);
    EXPECT_LT(highest, 1.05);
    EXPECT_NEAR(BubbleSpring::progress(BubbleSpring::settlingTime() - 1e-9), 1, 0.001)
        << "no jump when it comes to rest";
}

TEST(BubbleTransition, ComesInFromAFadedSmallerBubbleAndTurnsBackWithoutAJump) {
    BubbleTransition transition;
    EXPECT_EQ(transition.opacity(), 0);
    EXPECT_DOUBLE_EQ(transition.scale(), 0.9);

    transition.retarget(1);
    transition.advance(0.06);
    const double halfWay = transition.presence();
    EXPECT_GT(halfWay, 0);
    EXPECT_LT(halfWay, 1);

    transition.retarget(0);
    EXPECT_DOUBLE_EQ(transition.presence(), halfWay);
    transition.advance(1);
    EXPECT_TRUE(transition.isSettled());
    EXPECT_EQ(transition.opacity(), 0);

    transition.retarget(1);
    transition.advance(0.2);
    EXPECT_LE(transition.opacity(), 1) << "the overshoot never shows as more than opaque";
    transition.advance(1);
    EXPECT_EQ(transition.opacity(), 1);
    EXPECT_DOUBLE_EQ(transition.scale(), 1);
}

} // namespace
} // namespace purlo
