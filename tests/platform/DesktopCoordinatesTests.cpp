#include "platform/DesktopCoordinates.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(DesktopCoordinates, TurnsRectanglesOverAtThePrimaryScreensBottomEdgeAndBack) {
    const Rect laptop{{0, 0}, {1440, 900}};
    // The primary screen (top-down), a rectangle top-down, and the same in global space.
    const std::tuple<const char*, Rect, Rect, Rect> cases[] = {
        {"top panel", laptop, {{0, 27}, {1440, 873}}, {{0, 0}, {1440, 873}}},
        {"bottom panel", laptop, {{0, 0}, {1440, 852}}, {{0, 48}, {1440, 852}}},
        {"taller screen right", laptop, {{1440, 0}, {1920, 1080}}, {{1440, -180}, {1920, 1080}}},
        {"left", {{1920, 0}, {1440, 900}}, {{0, 0}, {1920, 1080}}, {{-1920, -180}, {1920, 1080}}},
        {"above", {{0, 1080}, {1440, 900}}, {{0, 0}, {1920, 1080}}, {{0, 900}, {1920, 1080}}},
    };
    for (const auto& [name, primary, topDown, global] : cases) {
        EXPECT_EQ(globalRect(topDown, primary), global) << name;
        EXPECT_EQ(topDownRect(global, primary), topDown) << "back: " << name;
    }
}

TEST(DesktopCoordinates, EveryCornerPixelOfAScreenKeepsThePointerOnIt) {
    const Rect primary{{0, 0}, {1440, 900}};
    const Rect screen = globalRect(primary, primary);
    const std::pair<Point, Point> corners[] = {
        {{0, 0}, {0, 899}}, {{1439, 0}, {1439, 899}}, {{0, 899}, {0, 0}}, {{1439, 899}, {1439, 0}}};
    for (const auto& [pixel, global] : corners) {
        EXPECT_EQ(globalPointerLocation(pixel, primary), global) << pixel.x << ", " << pixel.y;
        EXPECT_TRUE(screen.contains(global)) << pixel.x << ", " << pixel.y;
    }
}

} // namespace
} // namespace purlo
