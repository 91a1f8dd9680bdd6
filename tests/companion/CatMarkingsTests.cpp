#include "companion/CatAccessoryLayer.h"
#include "companion/CatMoodMarks.h"
#include "companion/CatPatternLayer.h"
#include "companion/CatStanceDetails.h"
#include "tests/companion/CellRecording.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::recordCells;
using testing::RecordingCanvas;

const PurloFurPalette palette = PurloFurPalette::make(CatSkinPreset::midnight);

std::size_t cellCount(const RecordingCanvas& canvas) {
    return canvas.allRects().size();
}

TEST(CatPatternLayer, StripesFollowTheStance) {
    struct Case {
        CatBodyStance stance;
        std::size_t cells;
        double bandWidth; // of the first tail band; 0 without bands
    };
    const Case cases[] = {
        {CatBodyStance::loaf, 8, 36},
        {CatBodyStance::sitting, 9, 50},
        {CatBodyStance::bow, 9, 50},
        {CatBodyStance::gallop, 3, 0},
    };
    for (const Case& c : cases) {
        CatAnimationFrame frame;
        frame.stance = c.stance;
        const auto canvas = recordCells([&](const CellTarget& target) {
            CatPatternLayer::drawBodyMarkings(CatPatternPreset::stripes, palette, frame, target);
        });
        const auto rects = canvas.allRects();
        ASSERT_EQ(rects.size(), c.cells);
        if (c.bandWidth > 0) {
            // With a still tail the bands sit on their base rows.
            const CanvasRect& band = rects[rects.size() - 4];
            EXPECT_EQ(band.width, c.bandWidth);
            EXPECT_EQ(band.y, c.stance == CatBodyStance::loaf ? 506 : 510);
        }
    }
}

TEST(CatPatternLayer, OnlyTheMaskFollowsTheLookDown) {
    CatAnimationFrame frame;
    frame.headPitchDown = 1;
    for (const CatPatternPreset pattern : allCases<CatPatternPreset>()) {
        const auto level =
            recordCells([&](const CellTarget& target) {
                CatPatternLayer::drawHeadMarkings(pattern, palette, CatAnimationFrame{}, target);
            }).allRects();
        const auto down = recordCells([&](const CellTarget& target) {
                              CatPatternLayer::drawHeadMarkings(pattern, palette, frame, target);
                          }).allRects();
        ASSERT_EQ(level.size(), down.size());
        for (std::size_t i = 0; i < level.size(); ++i) {
            const double shift = pattern == CatPatternPreset::mask ? 14 : 0;
            EXPECT_EQ(down[i].y, level[i].y + shift) << toString(pattern);
        }
    }
}

TEST(CatAccessoryLayer, TheCrownIsTheOnlyHeadPiece) {
    for (const CatAccessoryPreset accessory : allCases<CatAccessoryPreset>()) {
        const auto neck = recordCells([&](const CellTarget& target) {
            CatAccessoryLayer::drawAccessory(accessory, palette, target);
        });
        const auto crown = recordCells(
            [&](const CellTarget& target) { CatAccessoryLayer::drawCrown(accessory, target); });
        const bool isCrown = accessory == CatAccessoryPreset::crown;
        const bool wearsNothing = accessory == CatAccessoryPreset::none;
        EXPECT_EQ(cellCount(neck) == 0, isCrown || wearsNothing) << toString(accessory);
        EXPECT_EQ(cellCount(crown), isCrown ? 6u : 0u) << toString(accessory);
    }
}

TEST(CatMoodMarks, TheSleepingZClimbsAndTheThoughtCloudGrows) {
    struct Case {
        CatMood mood;
        std::int64_t sleepZPhase;
        double thought;
        CanvasRect first;
        CanvasRect last;
    };
    const Case cases[] = {
        {CatMood::sleeping, 0, 1, {432, 88, 30, 9}, {432, 116, 30, 9}},
        {CatMood::sleeping, 1, 1, {432, 74, 30, 9}, {432, 102, 30, 9}},
        {CatMood::sleeping, 2, 1, {432, 60, 30, 9}, {432, 88, 30, 9}},
        {CatMood::thinking, 0, 1, {395, 76, 12, 12}, {425, 44, 30, 30}},
        {CatMood::thinking, 0, 1.01, {395, 76, 12, 12}, {425, 44, 40, 40}},
    };
    for (const Case& c : cases) {
        CatAnimationFrame frame;
        frame.sleepZPhase = c.sleepZPhase;
        frame.thoughtBubbleScale = c.thought;
        const auto rects = recordCells([&](const CellTarget& body) {
                               CatMoodMarks::draw(c.mood, frame, body, body);
                           }).allRects();
        ASSERT_FALSE(rects.empty());
        EXPECT_EQ(rects.front(), c.first) << toString(c.mood) << " " << c.sleepZPhase;
        EXPECT_EQ(rects.back(), c.last) << toString(c.mood) << " " << c.thought;
    }
}

TEST(CatStanceDetails, TheRaisedPawLandsOnTheSideItsDirectionAndFacingName) {
    struct Case {
        double swipe;
        double facing;
        double pawX; // 0: no paw
    };
    const Case cases[] = {
        {0, 1, 0}, {0, -1, 0}, {1, 1, 392}, {-1, -1, 392}, {-1, 1, 27}, {1, -1, 27},
    };
    for (const Case& c : cases) {
        CatAnimationFrame frame;
        frame.pounceSwipeDirection = c.swipe;
        const auto rects = recordCells([&](const CellTarget& body) {
                               CatStanceDetails::drawRaisedPaw(frame, c.facing, palette, body);
                           }).allRects();
        if (c.pawX == 0) {
            EXPECT_TRUE(rects.empty()) << c.swipe << " " << c.facing;
        } else {
            ASSERT_EQ(rects.size(), 4u);
            EXPECT_EQ(rects[0], (CanvasRect{c.pawX, 318, 52, 34})) << c.swipe << " " << c.facing;
        }
    }
}

} // namespace
} // namespace purlo
