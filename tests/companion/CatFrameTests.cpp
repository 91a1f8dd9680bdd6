#include "companion/CatGrid.h"
#include "companion/ReferencePurloCatView.h"
#include "companion/SeamlessRectBatcher.h"
#include "tests/companion/CatImages.h"
#include "tests/support/RecordingCanvas.h"

#include <algorithm>
#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <tuple>

namespace purlo {
namespace {

using testing::stillScene;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double pi = std::numbers::pi;

CatAnimationFrame frameOf(CatPose pose, CatMood mood, Size gaze, double t, double yawn = 0) {
    return CatAnimationFrame::make(stillScene(pose, mood, gaze, yawn), t);
}

TEST(CatAnimationFrame, BlinksOnlyInItsWindowAndOnlyForPosesThatBlink) {
    using enum CatPose;
    // Pose, time, yawn progress (sin(0.18 pi) = 0.54 is not yet open enough); blinking.
    const std::tuple<CatPose, double, double, bool> cases[] = {
        {idle, 4.6, 0, true},    {idle, 4.55, 0, false},   {idle, 4.81, 0, false},
        {idle, 9.4, 0, true},    {purr, 4.6, 0, true},     {blep, 4.6, 0, true},
        {loaf, 4.6, 0, false},   {think, 4.6, 0, false},   {sleep, 1.0, 0, true},
        {greet, 0.59, 0, false}, {greet, 0.6, 0, true},    {greet, 1.49, 0, true},
        {greet, 1.5, 0, false},  {yawn, 4.6, 0.18, false}, {yawn, 1.0, 0.2, true},
        {yawn, 1.0, 0.5, true}};
    for (const auto& [pose, t, yawn, blink] : cases) {
        EXPECT_EQ(frameOf(pose, CatMood::idle, {}, t, yawn).blink, blink)
            << toString(pose) << " at " << t;
    }
}

TEST(CatAnimationFrame, YawnOpensAndClosesTheMouthOverItsProgress) {
    const std::pair<double, double> cases[] = {
        {0.5, 1.0}, {0.25, std::sqrt(0.5)}, {1.0, 0.0}, {1.5, 0.0}, {0.0, 0.0}, {-0.2, 0.0},
        {nan, 0.0}};
    for (const auto& [progress, opening] : cases) {
        const auto frame = frameOf(CatPose::yawn, CatMood::idle, {}, 3.0, progress);
        EXPECT_NEAR(frame.yawnProgress, opening, 1e-9) << progress;
        EXPECT_NEAR(frame.headYOffset, 4 * opening, 1e-9) << progress;
        EXPECT_EQ(frame.headTiltDegrees, -2) << progress;
    }
    EXPECT_EQ(frameOf(CatPose::idle, CatMood::idle, {}, 3.0, 0.5).yawnProgress, 0);
}

TEST(CatAnimationFrame, GazeSteersTheHeadOnTopOfThePosesOwnMotion) {
    // Gaze, then tilt, pitch and drop: looking down caps at 1 and the side at 0.35; fully
    // up tilts with the side; a level gaze stays put, a slight look down drops unpitched.
    const std::tuple<double, double, double, double, double> cases[] = {
        {0.35, 1, 2.5, 1, 10},  {0.35, 3, 2.5, 1, 10},    {0.35, -1, 4, 0, 0}, {0.35, -2, 4, 0, 0},
        {0.7, -1, 4, 0, 0},     {-0.175, -0.5, -1, 0, 0}, {0.35, 0, 0, 0, 0},  {0, 0.3, 0, 0, 1.8},
        {0, 0.65, 0, 0.5, 5.9}, {nan, 0.65, 0, 0.5, 5.9}, {0.35, nan, 0, 0, 0}};
    for (const auto& [x, y, tilt, pitch, drop] : cases) {
        const auto frame = frameOf(CatPose::stare, CatMood::idle, {x, y}, 2.0);
        EXPECT_NEAR(frame.headTiltDegrees, tilt, 1e-9) << x << ", " << y;
        EXPECT_NEAR(frame.headPitchDown, pitch, 1e-9) << x << ", " << y;
        EXPECT_NEAR(frame.headYOffset, drop, 1e-9) << x << ", " << y;
    }
    // Thinking tilts the head -4 and sleeping drops it 9: the gaze adds to both.
    EXPECT_NEAR(frameOf(CatPose::think, CatMood::thinking, {0.35, -1}, 0.5).headTiltDegrees, 0,
                1e-9);
    const auto asleep = frameOf(CatPose::sleep, CatMood::sleeping, {0, 1}, 0.5);
    EXPECT_NEAR(asleep.headYOffset, 19, 1e-9);
    EXPECT_EQ(asleep.headPitchDown, 1);
}

TEST(CatAnimationFrame, HuntWigglesPouncesTowardTheGazeAndLands) {
    // Time, gaze side; body shift, swipe, vertical scale (not checked when not a number).
    const std::tuple<double, double, double, double, double> cases[] = {
        {0.69, -0.5, 0, 0, 0.95}, {0.7, -0.5, -7, -1, 1.03}, {0.9, -0.5, -7, -1, 1.03},
        {2.9, 0.5, 7, 1, 1.03},   {0.9, 0, 7, 1, 1.03},      {1.1, -0.5, -3, 0, 0.96},
        {1.34, 0.5, 3, 0, 0.96},  {1.35, -0.5, 0, 0, nan}};
    for (const auto& [t, side, shift, swipe, scaleY] : cases) {
        const auto frame = frameOf(CatPose::hunt, CatMood::hunting, {side, 0}, t);
        EXPECT_NEAR(frame.bodyXOffset, shift, 1e-9) << t << " " << side;
        EXPECT_EQ(frame.pounceSwipeDirection, swipe) << t << " " << side;
        if (!std::isnan(scaleY)) {
            EXPECT_NEAR(frame.bodyScaleY, scaleY, 1e-9) << t << " " << side;
        }
        EXPECT_EQ(frame.headYOffset, 2);
    }
}

TEST(CatAnimationFrame, SteamRisesOnlyWhenOverheatedAndHotPawsTapFaster) {
    using enum CatMood;
    EXPECT_NEAR(frameOf(CatPose::typing, overheated, {}, pi / 12).steamYOffset, -2, 1e-9);
    EXPECT_EQ(frameOf(CatPose::typing, typing, {}, pi / 12).steamYOffset, 0);
    EXPECT_EQ(frameOf(CatPose::typing, overheated, {}, 0.2).leftPawYOffset, 1);
    EXPECT_EQ(frameOf(CatPose::typing, typing, {}, 0.2).leftPawYOffset, -4);
}

TEST(CatAnimationFrame, PhasesStepWithTimeAndAnyTimeOutsideTheClockShowsAValidStep) {
    const std::tuple<double, std::int64_t, std::int64_t> cases[] = {
        {0, 0, 0},    {0.124, 0, 0}, {0.125, 1, 0}, {0.375, 3, 0},       {0.5, 0, 0},
        {0.72, 1, 1}, {1.43, 3, 2},  {2.15, 1, 0},  {1e9 + 0.125, 1, 2}, {nan, 0, 0}};
    for (const auto& [t, confetti, sleepZ] : cases) {
        const auto frame = frameOf(CatPose::idle, CatMood::idle, {}, t);
        EXPECT_EQ(frame.confettiPhase, confetti) << t;
        EXPECT_EQ(frame.sleepZPhase, sleepZ) << t;
    }
    for (const double t : {std::numeric_limits<double>::infinity(), 1e300, -1e300}) {
        const auto frame = frameOf(CatPose::idle, CatMood::idle, {}, t);
        EXPECT_TRUE(frame.confettiPhase >= -3 && frame.confettiPhase <= 3) << t;
        EXPECT_TRUE(frame.sleepZPhase >= -2 && frame.sleepZPhase <= 2) << t;
    }
}

using testing::RecordingCanvas;

TEST(SeamlessRectBatcher, FillsOncePerRunOfColourOpacityAndContextWhenTheRunEnds) {
    constexpr RgbColor red{1, 0, 0}, blue{0, 0, 1};
    using Cells = std::vector<std::tuple<RgbColor, double, int>>;
    const std::pair<Cells, std::size_t> cases[] = {{{}, 0},
                                                   {{{red, 1, 0}, {red, 1, 0}, {red, 1, 0}}, 1},
                                                   {{{red, 0.96, 0}, {red, 0.94, 0}}, 2},
                                                   {{{red, 1, 0}, {red, 1, 1}}, 2},
                                                   {{{red, 1, 0}, {blue, 1, 0}}, 2},
                                                   {{{red, 1, 0}, {blue, 1, 0}, {red, 1, 0}}, 3}};
    for (const auto& [cells, fills] : cases) {
        RecordingCanvas canvas;
        const DrawingContext body(canvas);
        const DrawingContext head(canvas, 10, 10, 30, 0);
        SeamlessRectBatcher batcher;
        for (const auto& [color, opacity, id] : cells) {
            batcher.add(color, 0, 0, 1, 1, opacity, 0, 0, 1, id == 0 ? body : head, id);
        }
        const std::size_t pending = cells.empty() ? 0 : 1;
        EXPECT_EQ(canvas.fills().size() + pending, fills) << "the last run waits for the flush";
        batcher.flush();
        batcher.flush();
        EXPECT_EQ(canvas.fills().size(), fills) << cells.size() << " cells";
    }
}

TEST(CatGrid, FitsTheCatCentredWithOneUnit) {
    // Width, height; then origin x, origin y and unit.
    const std::tuple<double, double, double, double, double> cases[] = {
        {471, 558, 0, 0, 1},    {942, 558, 235.5, 0, 1}, {471, 1116, 0, 279, 1},
        {942, 1116, 0, 0, 2},   {0, 0, 0, 0, 0},         {-471, 558, -235.5, 279, 0},
        {nan, 558, nan, 279, 0}};
    for (const auto& [width, height, originX, originY, unit] : cases) {
        const CatGrid grid = CatGrid::fit(width, height);
        EXPECT_EQ(grid.unit, unit) << width << " x " << height;
        EXPECT_THAT(grid.originX, ::testing::NanSensitiveDoubleEq(originX)) << width;
        EXPECT_EQ(grid.originY, originY) << width << " x " << height;
    }
}

const CatLook calico{CatSkinPreset::calico, CatPatternPreset::tuxedo, CatEyeColorPreset::cocoa,
                     CatAccessoryPreset::none};

TEST(ReferencePurloCatView, ACanvasWithoutAreaDrawsNothingAndFacingHasADeadZone) {
    for (const auto& [width, height] : {std::pair{0.0, 0.0}, {0.0, 558.0}, {-10.0, 558.0}}) {
        RecordingCanvas canvas;
        ReferencePurloCatView{stillScene(CatPose::idle), calico, 1}.draw(canvas, width, height);
        EXPECT_TRUE(canvas.fills().empty()) << width << " x " << height;
        EXPECT_EQ(canvas.saveDepth(), 0);
    }
    const std::pair<double, double> facings[] = {{0, 1},   {-0.08, 1}, {-0.081, -1},
                                                 {-1, -1}, {0.5, 1},   {nan, 1}};
    for (const auto& [side, facing] : facings) {
        const CompanionScene scene = stillScene(CatPose::idle, CatMood::idle, {side, 0});
        EXPECT_EQ(ReferencePurloCatView::facing(scene), facing) << side;
    }
}

TEST(ReferencePurloCatView, TheHeadWorkFollowsTheBodyAndTurnsWithTheTilt) {
    CatAnimationFrame frame;
    frame.headTiltDegrees = 10;
    frame.headYOffset = 2;
    frame.pounceSwipeDirection = 1;
    CatLook crowned = calico;
    crowned.accessory = CatAccessoryPreset::crown;
    RecordingCanvas canvas;
    ReferencePurloCatView::drawCat(canvas, 471, 558, frame, 1, stillScene(CatPose::hunt), crowned);
    // Body runs, then head runs, then the raised paw back on the body.
    std::vector<bool> onHead;
    for (const auto& fill : canvas.fills()) {
        onHead.push_back(!fill.transform.isIdentity());
    }
    onHead.erase(std::unique(onHead.begin(), onHead.end()), onHead.end());
    EXPECT_EQ(onHead, (std::vector<bool>{false, true, false}));

    // The head sinks 8 units and turns about the neck (286, 272).
    const auto head = std::ranges::find_if(
        canvas.fills(), [](const auto& fill) { return !fill.transform.isIdentity(); });
    ASSERT_NE(head, canvas.fills().end());
    const auto [neckX, neckY] = head->transform.map(286, 272 - 8);
    EXPECT_NEAR(neckX, 286, 1e-9);
    EXPECT_NEAR(neckY, 272, 1e-9);
    const double radians = 10 * std::numbers::pi / 180;
    const auto [topX, topY] = head->transform.map(286, 272 - 8 - 100);
    EXPECT_NEAR(topX, 286 + 100 * std::sin(radians), 1e-9);
    EXPECT_NEAR(topY, 272 - 100 * std::cos(radians), 1e-9);
}

} // namespace
} // namespace purlo
