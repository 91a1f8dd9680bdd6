#include "companion/CatGrid.h"
#include "companion/ReferencePurloCatView.h"
#include "tests/companion/CellRecording.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace purlo {
namespace {

using testing::RecordingCanvas;

const CatLook look{CatSkinPreset::calico, CatPatternPreset::tuxedo, CatEyeColorPreset::cocoa,
                   CatAccessoryPreset::none};

CompanionScene sceneWith(CatPose pose, CatMood mood = CatMood::idle, Size gaze = {}) {
    CompanionScene scene;
    scene.pose = pose;
    scene.mood = mood;
    scene.eyeOffset = gaze;
    return scene;
}

RecordingCanvas recordCat(const CatAnimationFrame& frame, const CompanionScene& scene,
                          const CatLook& catLook = look, double facing = 1) {
    RecordingCanvas canvas;
    ReferencePurloCatView::drawCat(canvas, 471, 558, frame, facing, scene, catLook);
    return canvas;
}

TEST(CatGrid, FitsTheCatCentredWithOneUnit) {
    struct Case {
        double width;
        double height;
        CatGrid grid;
    };
    const Case cases[] = {
        {471, 558, {0, 0, 1}},
        {942, 558, {235.5, 0, 1}},
        {471, 1116, {0, 279, 1}},
        {942, 1116, {0, 0, 2}},
        {0, 0, {0, 0, 0}},
        {-471, 558, {-235.5, 279, 0}},
        {std::numeric_limits<double>::quiet_NaN(), 558, {std::nan(""), 279, 0}},
    };
    for (const Case& c : cases) {
        const CatGrid grid = CatGrid::fit(c.width, c.height);
        EXPECT_EQ(grid.unit, c.grid.unit) << c.width << " x " << c.height;
        if (!std::isnan(c.grid.originX)) {
            EXPECT_EQ(grid.originX, c.grid.originX) << c.width << " x " << c.height;
        }
        EXPECT_EQ(grid.originY, c.grid.originY) << c.width << " x " << c.height;
    }
}

TEST(ReferencePurloCatView, ACanvasWithoutAreaDrawsNothing) {
    for (const auto& [width, height] : {std::pair{0.0, 0.0}, {0.0, 558.0}, {-10.0, 558.0}}) {
        RecordingCanvas canvas;
        const ReferencePurloCatView view{sceneWith(CatPose::idle), look, 1};
        view.draw(canvas, width, height);
        EXPECT_TRUE(canvas.fills().empty()) << width << " x " << height;
        EXPECT_EQ(canvas.saveDepth(), 0);
    }
}

TEST(ReferencePurloCatView, FacesLeftOnlyBeyondTheDeadZone) {
    struct Case {
        double gazeX;
        double facing;
    };
    const Case cases[] = {
        {0, 1},   {-0.08, 1}, {-0.081, -1},
        {-1, -1}, {0.5, 1},   {std::numeric_limits<double>::quiet_NaN(), 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            ReferencePurloCatView::facing(sceneWith(CatPose::idle, CatMood::idle, {c.gazeX, 0})),
            c.facing)
            << c.gazeX;
    }
}

TEST(ReferencePurloCatView, TheHeadWorkFollowsTheBodyAndTurnsWithTheTilt) {
    CatAnimationFrame frame;
    frame.headTiltDegrees = 10;
    frame.headYOffset = 2;
    frame.pounceSwipeDirection = 1;
    CatLook dressed = look;
    dressed.accessory = CatAccessoryPreset::crown;
    const RecordingCanvas canvas = recordCat(frame, sceneWith(CatPose::hunt), dressed);
    // Body runs, then head runs, then the raised paw back on the body.
    std::vector<bool> headRuns;
    for (const auto& fill : canvas.fills()) {
        const bool onHead = !fill.transform.isIdentity();
        if (headRuns.empty() || headRuns.back() != onHead) {
            headRuns.push_back(onHead);
        }
    }
    EXPECT_EQ(headRuns, (std::vector<bool>{false, true, false}));

    // The head sinks 8 units and turns about the neck: the cell that lands on the neck
    // point lay 8 above it, and a point 100 above that swings right.
    const auto head = std::find_if(canvas.fills().begin(), canvas.fills().end(),
                                   [](const auto& fill) { return !fill.transform.isIdentity(); });
    ASSERT_NE(head, canvas.fills().end());
    const auto [neckX, neckY] = head->transform.map(286, 272 - 8);
    EXPECT_NEAR(neckX, 286, 1e-9);
    EXPECT_NEAR(neckY, 272, 1e-9);
    const double radians = 10 * std::numbers::pi / 180;
    const auto [topX, topY] = head->transform.map(286, 272 - 8 - 100);
    EXPECT_NEAR(topX, 286 + 100 * std::sin(radians), 1e-9);
    EXPECT_NEAR(topY, 272 - 100 * std::cos(radians), 1e-9);
}

TEST(ReferencePurloCatView, StancesDrawTheirOwnFront) {
    const CanvasRect bib{270, 286, 50, 16};
    const CanvasRect seatedLeg{244, 426, 54, 88};
    const CanvasRect stretchedPaw{134, 434, 56, 78};
    struct Case {
        CatBodyStance stance;
        bool bib;
        bool seatedLeg;
        bool stretchedPaw;
    };
    const Case cases[] = {
        {CatBodyStance::sitting, true, true, false},
        {CatBodyStance::bow, true, false, true},
        {CatBodyStance::loaf, false, false, false},
        {CatBodyStance::gallop, false, false, false},
    };
    for (const Case& c : cases) {
        CatAnimationFrame frame;
        frame.stance = c.stance;
        const auto rects = recordCat(frame, sceneWith(CatPose::stare)).allRects();
        EXPECT_EQ(testing::containsRect(rects, bib), c.bib) << static_cast<int>(c.stance);
        EXPECT_EQ(testing::containsRect(rects, seatedLeg), c.seatedLeg)
            << static_cast<int>(c.stance);
        EXPECT_EQ(testing::containsRect(rects, stretchedPaw), c.stretchedPaw)
            << static_cast<int>(c.stance);
    }
}

} // namespace
} // namespace purlo
