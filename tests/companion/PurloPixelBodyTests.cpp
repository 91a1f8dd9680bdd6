#include "companion/PixelColors.h"
#include "companion/PurloPixelBody.h"
#include "tests/companion/CellRecording.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace purlo {
namespace {

using testing::recordCells;
using testing::RecordingCanvas;

const PurloFurPalette palette = PurloFurPalette::make(CatSkinPreset::calico);

RecordingCanvas recordHead(const CatAnimationFrame& frame) {
    return recordCells(
        [&](const CellTarget& target) { PurloPixelBody::drawHead(frame, palette, target); });
}

TEST(PurloPixelBody, EarsDropSpreadAndFlickOneAtATime) {
    struct Case {
        double pitch;
        double leftTwitch;
        double rightTwitch;
        CanvasRect leftTip;
        CanvasRect rightTip;
    };
    const Case cases[] = {
        {0, 0, 0, {198, 4, 30, 22}, {344, 4, 30, 22}},
        {0, -1, 0, {198, 12, 30, 22}, {344, 4, 30, 22}},
        {0, 0, -1, {198, 4, 30, 22}, {344, 12, 30, 22}},
        {1, 0, 0, {188, 20, 30, 22}, {354, 20, 30, 22}}, // looking down: 16 lower, 10 apart
    };
    for (const Case& c : cases) {
        CatAnimationFrame frame;
        frame.headPitchDown = c.pitch;
        frame.leftEarTwitchYOffset = c.leftTwitch;
        frame.rightEarTwitchYOffset = c.rightTwitch;
        const auto fills = recordHead(frame).fills();
        // Each ear: rims, fur, inner ear; the left ear first.
        ASSERT_GE(fills.size(), 6u);
        EXPECT_EQ(fills[1].color, palette.body);
        EXPECT_EQ(fills[1].rects.front(), c.leftTip) << c.pitch << " " << c.leftTwitch;
        EXPECT_EQ(fills[4].color, palette.body);
        EXPECT_EQ(fills[4].rects.front(), c.rightTip) << c.pitch << " " << c.rightTwitch;
        EXPECT_EQ(fills[2].color, innerEarColor);
        EXPECT_EQ(fills[2].opacity, 0.92);
    }
}

TEST(PurloPixelBody, TheMouthOpensPastAThresholdAndNeverShowsTheTongueOpen) {
    struct Case {
        double opening;
        bool tongue;
        bool open;
        double innerHeight; // when open
        bool tongueDrawn;
    };
    const Case cases[] = {
        {0, false, false, 0, false},   {0.15, false, false, 0, false},
        {0.16, false, true, 4, false}, {0.5, false, true, 11, false},
        {0, true, false, 0, true},     {0.6, true, true, 13.2, false},
    };
    for (const Case& c : cases) {
        CatAnimationFrame frame;
        frame.yawnProgress = c.opening;
        frame.tongueOut = c.tongue;
        const RecordingCanvas canvas = recordHead(frame);
        const auto lines = canvas.fillsIn(mouthLineColor, 0.85);
        const auto inside = canvas.fillsIn(noseColor, 0.85);
        EXPECT_EQ(lines.empty(), c.open) << c.opening;
        if (c.open) {
            ASSERT_EQ(inside.size(), 1u) << c.opening;
            const CanvasRect opening = inside[0].rects[0];
            EXPECT_NEAR(opening.height, c.innerHeight, 1e-9) << c.opening;
            EXPECT_TRUE(
                testing::containsRect(canvas.allRects(), {268, 238, 42, 10 + 22 * c.opening}))
                << c.opening;
        }
        // The nose is always there; the tongue is one more cell at full strength.
        const auto solid = canvas.fillsIn(noseColor, 1);
        ASSERT_FALSE(solid.empty());
        const bool tongueDrawn = testing::containsRect(canvas.allRects(), {280, 251, 18, 12});
        EXPECT_EQ(tongueDrawn, c.tongueDrawn) << c.opening << " " << c.tongue;
    }
}

TEST(PurloPixelBody, TwoWhiskersOnEachSideLowerWithTheGaze) {
    for (const double pitch : {0.0, 1.0}) {
        CatAnimationFrame frame;
        frame.headPitchDown = pitch;
        const RecordingCanvas canvas = recordHead(frame);
        int left = 0;
        int right = 0;
        for (const auto& fill : canvas.fills()) {
            if (fill.color != whiskerColor) {
                continue;
            }
            for (const CanvasRect& rect : fill.rects) {
                (rect.x < 286 ? left : right) += 1;
                EXPECT_GE(rect.y, 218 + 10 * pitch);
            }
        }
        EXPECT_EQ(left, 2);
        EXPECT_EQ(right, 2);
    }
}

TEST(PurloPixelBody, GallopLegsSwitchStrideWhenThePawOffsetsSwapOrder) {
    struct Case {
        double left;
        double right;
        double firstLegX;
    };
    const Case cases[] = {
        {-5, 0, 368}, {0, -5, 316}, {0, 0, 316}, {-0.01, 0, 368}, {3, 3, 316},
    };
    for (const Case& c : cases) {
        CatAnimationFrame frame;
        frame.leftPawYOffset = c.left;
        frame.rightPawYOffset = c.right;
        const RecordingCanvas canvas = recordCells([&](const CellTarget& target) {
            PurloPixelBody::drawGallopBody(frame, palette, target);
        });
        // After the three tail segments (rim and fill each), the first leg's rim.
        const auto& fills = canvas.fills();
        ASSERT_GT(fills.size(), 6u);
        EXPECT_EQ(fills[6].color, palette.socket);
        EXPECT_EQ(fills[6].rects.front().x, c.firstLegX) << c.left << " " << c.right;
    }
}

} // namespace
} // namespace purlo
