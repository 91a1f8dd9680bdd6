#include "app/PopoverPlacement.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(PopoverPlacement, OpensBesideTheAnchorAndStaysOnTheScreen) {
    const QSize popover(286, 500);
    const QRect screen(0, 28, 1440, 872); // a 28-pixel panel along the top
    const QRect bottomPanelScreen(0, 0, 1440, 860);
    const QRect secondScreen(1440, 0, 1280, 1024);
    const struct {
        const char* name;
        QRect anchor;
        QRect area;
        QPoint expected;
    } cases[] = {
        {"below an icon in a top panel", {700, 4, 22, 22}, screen, {567, 32}},
        {"never over the panel itself", {700, 4, 22, 12}, screen, {567, 28}},
        {"above an icon in a bottom panel", {700, 868, 22, 22}, bottomPanelScreen, {567, 362}},
        {"kept off the right edge", {1420, 4, 22, 22}, screen, {1150, 32}},
        {"kept off the left edge", {2, 4, 22, 22}, screen, {4, 32}},
        {"on the anchor's own screen", {2700, 990, 1, 1}, secondScreen, {2430, 484}},
        {"at the pointer in the middle", {720, 450, 1, 1}, {0, 0, 1440, 1024}, {577, 457}},
        {"as near as a short screen allows", {720, 300, 1, 1}, {0, 0, 1440, 600}, {577, 100}},
        {"from the top when taller than the screen", {720, 300, 1, 1}, {0, 0, 1440, 400}, {577, 0}},
    };
    for (const auto& [name, anchor, area, expected] : cases) {
        EXPECT_EQ(popoverOrigin(anchor, popover, area), expected) << name;
    }
}

} // namespace
} // namespace purlo
