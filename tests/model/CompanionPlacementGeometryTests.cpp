#include "model/PurloBehaviorEngine.h"

#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

TEST(ClampedOrigin, KeepsTheWindowInsideTheInsetScreen) {
    struct Case {
        const char* name;
        Point proposed;
        Rect screen;
        double inset;
        Point origin;
    };
    const Rect screen{{0, 0}, {1440, 900}};
    const Rect leftScreen{{-1280, -200}, {1280, 1024}};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"inside", {300, 200}, screen, 8, {300, 200}},
        {"past the left and bottom", {-40, -40}, screen, 8, {8, 8}},
        {"past the right and top", {1400, 850}, screen, 8, {1440 - 8 - 160, 900 - 8 - 204}},
        {"on the edges exactly", {1272, 688}, screen, 8, {1272, 688}},
        {"a negative inset counts as none", {-40, 5000}, screen, -20, {0, 900 - 204}},
        {"a screen left of and below the main one", {-2000, -500}, leftScreen, 8, {-1272, -192}},
        {"a screen narrower than the window", {50, 200}, {{0, 0}, {100, 900}}, 8, {8, 200}},
        {"a screen lower than the window", {300, 50}, {{0, 0}, {1440, 150}}, 8, {300, 8}},
        {"an inset that eats the screen", {300, 300}, {{0, 0}, {10, 10}}, 8, {5, 5}},
        {"an empty screen", {300, 300}, Rect{}, 8, {0, 0}},
        {"a proposal that is not a number", {nan, 300}, screen, 8, {8, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PurloBehaviorEngine::clampedOrigin(c.proposed, {160, 204}, c.screen, c.inset),
                  c.origin);
    }
}

} // namespace
} // namespace purlo
