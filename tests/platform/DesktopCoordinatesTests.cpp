#include "platform/DesktopCoordinates.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

struct RectCase {
    const char* name;
    Rect primary; // top-down
    Rect topDown;
    Rect global;
};

TEST(DesktopCoordinates, TurnsRectanglesOverAtThePrimaryScreensBottomEdgeAndBack) {
    const Rect laptop{{0, 0}, {1440, 900}};
    const std::vector<RectCase> cases{
        {"the primary screen itself", laptop, laptop, {{0, 0}, {1440, 900}}},
        {"a top panel takes the upper edge", laptop, {{0, 27}, {1440, 873}}, {{0, 0}, {1440, 873}}},
        {"a bottom panel lifts the free area",
         laptop,
         {{0, 0}, {1440, 852}},
         {{0, 48}, {1440, 852}}},
        {"a taller screen on the right reaches below",
         laptop,
         {{1440, 0}, {1920, 1080}},
         {{1440, -180}, {1920, 1080}}},
        {"a screen left of a primary that does not start at zero",
         {{1920, 0}, {1440, 900}},
         {{0, 0}, {1920, 1080}},
         {{-1920, -180}, {1920, 1080}}},
        {"a screen above the primary",
         {{0, 1080}, {1440, 900}},
         {{0, 0}, {1920, 1080}},
         {{0, 900}, {1920, 1080}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(globalRect(c.topDown, c.primary), c.global) << c.name;
        EXPECT_EQ(topDownRect(c.global, c.primary), c.topDown) << "back: " << c.name;
    }
}

TEST(DesktopCoordinates, EveryPixelOfAScreenKeepsThePointerOnIt) {
    const Rect primary{{0, 0}, {1440, 900}};
    const Rect screen = globalRect(primary, primary);
    struct PixelCase {
        Point pixel;
        Point global;
    };
    const std::vector<PixelCase> corners{
        {{0, 0}, {0, 899}},
        {{1439, 0}, {1439, 899}},
        {{0, 899}, {0, 0}},
        {{1439, 899}, {1439, 0}},
    };
    for (const auto& c : corners) {
        const Point global = globalPointerLocation(c.pixel, primary);
        EXPECT_EQ(global, c.global) << c.pixel.x << ", " << c.pixel.y;
        EXPECT_TRUE(screen.contains(global)) << c.pixel.x << ", " << c.pixel.y;
    }
}

} // namespace
} // namespace purlo
