#include "companion/CatEyeLayer.h"
#include "tests/companion/CellRecording.h"

#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

using testing::recordCells;
using testing::RecordingCanvas;

const PurloFurPalette palette = PurloFurPalette::make(CatSkinPreset::gray);
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(CatEyeLayer, GazeMapsToPupilAnchors) {
    struct Case {
        double x;
        double y;
        PupilAnchors anchors;
    };
    const Case cases[] = {
        {0, 0, {232, 368, 154, false}},
        {0, 0.7, {210, 346, 154 + 8.4, true}},
        {0.5, 0.7, {232, 368, 154 + 4.2, false}},
        {0, 0.6, {232, 368, 154 + 3.6, false}}, // exactly 0.6 is not straight down
        {0, -1, {210, 346, 146, true}},
        {0, -3, {210, 346, 146, true}}, // clamped like -1
        {0.34, 1, {210, 346, 166, true}},
        {0.35, 1, {232, 368, 160, false}},
        {-0.06, 0, {188, 324, 154, false}},
        {-0.05, 0, {232, 368, 154, false}},
        {nan, nan, {232, 368, 154, false}}, // no gaze to follow: eyes at rest
    };
    for (const Case& c : cases) {
        const PupilAnchors anchors = CatEyeLayer::pupilAnchors(c.x, c.y);
        EXPECT_EQ(anchors.leftX, c.anchors.leftX) << c.x << ", " << c.y;
        EXPECT_EQ(anchors.rightX, c.anchors.rightX) << c.x << ", " << c.y;
        EXPECT_NEAR(anchors.eyeY, c.anchors.eyeY, 1e-9) << c.x << ", " << c.y;
        EXPECT_EQ(anchors.centred, c.anchors.centred) << c.x << ", " << c.y;
    }
}

RecordingCanvas recordEyes(const CatAnimationFrame& frame, CatPose pose, Size gaze,
                           double facing = 1) {
    return recordCells(
        [&](const CellTarget& target) {
            CatEyeLayer::drawEyes(frame, palette, facing, pose, gaze, CatEyeColorPreset::sky,
                                  target);
        },
        CellTarget::headContextID);
}

TEST(CatEyeLayer, OpenEyesAreSocketsIrisesAndPupilsClosedOnesSocketsAndLids) {
    struct Case {
        CatPose pose;
        bool blink;
        bool crossEyed;
        std::size_t runs;
    };
    const Case cases[] = {
        {CatPose::stare, false, false, 3},
        {CatPose::stare, true, false, 2},
        {CatPose::sleep, false, false, 2}, // asleep means closed, blink or not
        {CatPose::crossEyed, true, true, 2},
    };
    const RgbColor sky = CatEyeLayer::eyeColor(CatEyeColorPreset::sky);
    for (const Case& c : cases) {
        CatAnimationFrame frame;
        frame.blink = c.blink;
        frame.crossEyed = c.crossEyed;
        const RecordingCanvas canvas = recordEyes(frame, c.pose, {});
        ASSERT_EQ(canvas.fills().size(), c.runs) << toString(c.pose);
        EXPECT_EQ(canvas.fills()[0].color, palette.socket);
        EXPECT_EQ(canvas.fills()[0].rects.size(), 10u);
        const bool closed = c.runs == 2;
        EXPECT_EQ(canvas.fills()[1].color, sky);
        EXPECT_EQ(canvas.fills()[1].opacity, closed ? 0.9 : 0.98);
        if (closed) {
            EXPECT_EQ(canvas.fills()[1].rects,
                      (std::vector<CanvasRect>{{214, 170, 40, 7}, {332, 170, 40, 7}}));
        }
    }
}

TEST(CatEyeLayer, LookingDownLowersAndNarrowsTheEyesUnlessCrossEyed) {
    CatAnimationFrame frame;
    frame.headPitchDown = 1;
    const auto down = recordEyes(frame, CatPose::stare, {0, 1}).fills();
    ASSERT_EQ(down.size(), 3u);
    // Socket rows start 14 + 10 lower; the middle row is 26 high.
    EXPECT_EQ(down[0].rects[0], (CanvasRect{197, 164, 48, 8}));
    EXPECT_EQ(down[0].rects[2], (CanvasRect{184, 180, 74, 26}));
    EXPECT_EQ(down[0].rects[4], (CanvasRect{197, 214, 48, 8}));
    // Centred pupils 30 wide and 24 high from eye y 166 + 14 + 20.
    const auto& pupils = down[2].rects;
    ASSERT_EQ(pupils.size(), 6u);
    EXPECT_NEAR(pupils[0].y, 200, 1e-9);
    EXPECT_NEAR(pupils[2].y + pupils[2].height, 224, 1e-9);
    EXPECT_NEAR(pupils[1].width, 30, 1e-9);
    EXPECT_NEAR(pupils[1].x, 210 - 4, 1e-9);

    frame.crossEyed = true;
    const auto crossed = recordEyes(frame, CatPose::crossEyed, {0, 1}).fills();
    EXPECT_EQ(crossed[0].rects[2], (CanvasRect{184, 170, 74, 36})) << "no squint when crossed";
    EXPECT_EQ(crossed[2].rects[0], (CanvasRect{235, 170, 16, 7}));
    EXPECT_EQ(crossed[2].rects[3], (CanvasRect{327, 170, 16, 7}));
}

} // namespace
} // namespace purlo
