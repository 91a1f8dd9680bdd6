#include "runtime/ScreenFrameResolver.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace purlo {
namespace {

constexpr Size panel{160, 204};
constexpr Rect fallback{{0, 0}, {1440, 900}};

Rect rect(double x, double y, double width, double height) {
    return {{x, y}, {width, height}};
}

TEST(ScreenFrameResolver, NoScreensAnswerTheFallbackAndNothingIsOnScreen) {
    const std::vector<Rect> none;
    EXPECT_EQ(ScreenFrameResolver::nearestScreenFrame(none, {5000, 5000}), fallback);
    EXPECT_EQ(ScreenFrameResolver::screenFrame(none, {10, 10}, {10, 10}, panel), fallback);
    EXPECT_FALSE(ScreenFrameResolver::isFrameSufficientlyOnScreen(none, {10, 10}, panel));

    const std::vector<Rect> unusable{rect(0, 0, 0, 900), rect(0, 0, 1440, 0), rect(0, 0, -10, 900),
                                     rect(std::numeric_limits<double>::infinity(), 0, 1440, 900)};
    EXPECT_EQ(ScreenFrameResolver::screenFrame(unusable, {10, 10}, {10, 10}, panel), fallback);
}

TEST(ScreenFrameResolver, ThirtyFivePercentOfThePanelOnOneScreenIsEnough) {
    const std::vector<Rect> screen{rect(0, 0, 1440, 900)};
    // 35 % of 160 is 56 and of 204 is 71.4: the panel must reach that far in from an edge.
    const struct {
        Point origin;
        bool onScreen;
    } cases[] = {
        {{100, 100}, true},       {{1440 - 56, 100}, true},    {{1440 - 55.9, 100}, false},
        {{-160 + 56, 100}, true}, {{-160 + 55.9, 100}, false}, {{100, 900 - 72}, true},
        {{100, 900 - 71}, false}, {{100, -204 + 72}, true},    {{100, -204 + 71}, false},
        {{1440, 100}, false},     {{5000, 5000}, false},
    };
    for (const auto& [origin, onScreen] : cases) {
        SCOPED_TRACE(::testing::Message() << origin.x << ", " << origin.y);
        EXPECT_EQ(ScreenFrameResolver::isFrameSufficientlyOnScreen(screen, origin, panel),
                  onScreen);
    }
}

TEST(ScreenFrameResolver, AScreenSmallerThanThePanelAsksForItsOwnShare) {
    const std::vector<Rect> tiny{rect(0, 0, 100, 100)};
    // The share is measured against the smaller of screen and panel: 35 points here.
    EXPECT_TRUE(ScreenFrameResolver::isFrameSufficientlyOnScreen(tiny, {65, 65}, panel));
    EXPECT_FALSE(ScreenFrameResolver::isFrameSufficientlyOnScreen(tiny, {66, 65}, panel));
}

TEST(ScreenFrameResolver, AScreenWithoutAreaHoldsNothing) {
    const std::vector<Rect> flat{rect(0, 0, 1440, 0)};
    EXPECT_FALSE(ScreenFrameResolver::isFrameSufficientlyOnScreen(flat, {100, -100}, panel));
    EXPECT_FALSE(ScreenFrameResolver::isFrameSufficientlyOnScreen(flat, {5000, 5000}, panel));
}

TEST(ScreenFrameResolver, ChoosesThePointerScreenThenTheCatsThenTheNearest) {
    // A tall screen on the left and a short one on the right, both starting at y 0.
    const Rect left = rect(0, 0, 1440, 1200);
    const Rect right = rect(1440, 0, 1000, 600);
    const std::vector<Rect> frames{left, right};
    const struct {
        const char* name;
        Point pointer;
        Point companionOrigin;
        Rect expected;
    } cases[] = {
        {"pointer on the right", {2000, 300}, {100, 100}, right},
        {"pointer on the left edge of the right screen", {1440, 300}, {100, 100}, right},
        {"pointer on the right edge of the left screen", {1439.9, 300}, {2000, 100}, left},
        {"pointer above the short screen, cat on it", {2000, 900}, {2000, 100}, right},
        {"pointer above the short screen, cat on the left", {2000, 900}, {100, 100}, left},
        // Neither holds the pointer nor the cat: the nearer centre wins.
        {"pointer above the short screen, cat away", {2300, 1000}, {9000, 9000}, right},
    };
    for (const auto& [name, pointer, origin, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ScreenFrameResolver::screenFrame(frames, pointer, origin, panel), expected);
    }
}

TEST(ScreenFrameResolver, EquallyNearScreensKeepTheFirst) {
    const Rect first = rect(0, 0, 100, 100);
    const Rect second = rect(200, 0, 100, 100);
    const Point between{150, 50};
    EXPECT_EQ(ScreenFrameResolver::nearestScreenFrame(std::vector{first, second}, between), first);
    EXPECT_EQ(ScreenFrameResolver::nearestScreenFrame(std::vector{second, first}, between), second);
    EXPECT_EQ(
        ScreenFrameResolver::screenFrame(std::vector{first, second}, {150, 500}, {9000, 0}, panel),
        first);
}

TEST(ScreenFrameResolver, EmptyFramesAreSkippedBeforeChoosing) {
    const Rect empty = rect(0, 0, 0, 0);
    const Rect screen = rect(1440, 0, 1440, 900);
    // The empty frame's corner holds the pointer and lies nearest; it is still skipped.
    EXPECT_EQ(ScreenFrameResolver::screenFrame(std::vector{empty, screen}, {0, 0}, {0, 0}, panel),
              screen);
}

} // namespace
} // namespace purlo
