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

TEST(ScreenFrameResolver, WithoutUsableScreensTheFallbackAnswersAndNothingIsOnScreen) {
    const std::vector<Rect> unusable{rect(0, 0, 0, 900), rect(0, 0, 1440, 0), rect(0, 0, -10, 900),
                                     rect(std::numeric_limits<double>::infinity(), 0, 1440, 900)};
    EXPECT_EQ(ScreenFrameResolver::nearestScreenFrame({}, {5000, 5000}), fallback);
    EXPECT_EQ(ScreenFrameResolver::screenFrame(unusable, {0, 0}, {0, 0}, panel), fallback);
    EXPECT_FALSE(ScreenFrameResolver::isFrameSufficientlyOnScreen({}, {10, 10}, panel));
    // A screen without area holds nothing of the panel, however little is asked of it.
    EXPECT_FALSE(ScreenFrameResolver::isFrameSufficientlyOnScreen(std::vector{rect(0, 0, 1440, 0)},
                                                                  {5000, 5000}, panel));
}

TEST(ScreenFrameResolver, ThirtyFivePercentOnOneScreenIsEnough) {
    const std::vector<Rect> screen{rect(0, 0, 1440, 900)};
    const std::vector<Rect> tiny{rect(0, 0, 100, 100)};
    // 35 % of the panel is 56 x 71.4 points; of a smaller screen, 35 % of the screen.
    const struct {
        const std::vector<Rect>& screens;
        Point origin;
        bool onScreen;
    } cases[] = {
        {screen, {1440 - 56, 100}, true}, {screen, {1440 - 55.9, 100}, false},
        {screen, {-160 + 56, 100}, true}, {screen, {-160 + 55.9, 100}, false},
        {screen, {100, 900 - 72}, true},  {screen, {100, 900 - 71}, false},
        {screen, {100, -204 + 72}, true}, {screen, {100, -204 + 71}, false},
        {tiny, {65, 65}, true},           {tiny, {66, 65}, false},
    };
    for (const auto& [screens, origin, onScreen] : cases) {
        SCOPED_TRACE(::testing::Message() << origin.x << ", " << origin.y);
        EXPECT_EQ(ScreenFrameResolver::isFrameSufficientlyOnScreen(screens, origin, panel),
                  onScreen);
    }
}

TEST(ScreenFrameResolver, ThePointersScreenThenTheCatsThenTheNearestFirstOnATie) {
    // A tall screen on the left and a short one on the right, both starting at y 0.
    const Rect left = rect(0, 0, 1440, 1200);
    const Rect right = rect(1440, 0, 1000, 600);
    const std::vector<Rect> frames{rect(0, 0, 0, 0), left, right};
    const struct {
        const char* name;
        Point pointer;
        Point companionOrigin;
        Rect expected;
    } cases[] = {
        {"pointer on the right's left edge", {1440, 300}, {100, 100}, right},
        {"pointer on the left's right edge", {1439.9, 300}, {2000, 100}, left},
        {"pointer above the short screen, cat on it", {2000, 900}, {2000, 100}, right},
        {"pointer above the short screen, cat on the left", {2000, 900}, {100, 100}, left},
        {"neither: the nearer centre", {2300, 1000}, {9000, 9000}, right},
        {"the empty frame lies nearest but is skipped", {-50, -50}, {9000, 9000}, left},
    };
    for (const auto& [name, pointer, origin, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ScreenFrameResolver::screenFrame(frames, pointer, origin, panel), expected);
    }

    const Rect first = rect(0, 0, 100, 100);
    const Rect second = rect(200, 0, 100, 100);
    EXPECT_EQ(ScreenFrameResolver::nearestScreenFrame(std::vector{first, second}, {150, 50}),
              first);
    EXPECT_EQ(ScreenFrameResolver::nearestScreenFrame(std::vector{second, first}, {150, 50}),
              second);
}

} // namespace
} // namespace purlo
