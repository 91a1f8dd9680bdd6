#include "companion/CatAccessoryLayer.h"
#include "companion/CatMoodMarks.h"
#include "companion/CatPatternLayer.h"
#include "companion/CatStanceDetails.h"
#include "companion/PixelColors.h"
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

TEST(CatPatternLayer, BandsSwayWithTheTail) {
    CatAnimationFrame frame;
    frame.stance = CatBodyStance::sitting;
    frame.tailYOffset = 2;
    frame.tailWavePhase = 1;
    frame.tailTipYOffset = 1;
    const auto rects =
        recordCells([&](const CellTarget& target) {
            CatPatternLayer::drawBodyMarkings(CatPatternPreset::stripes, palette, frame, target);
        }).allRects();
    ASSERT_EQ(rects.size(), 9u);
    EXPECT_NEAR(rects[5].y, 510 + 4.4 * std::sin(1), 1e-9);
    EXPECT_NEAR(rects[8].y, 468 + 10 + 4.4 * std::sin(1 + 2.7), 1e-9);
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

TEST(CatAccessoryLayer, OnlyTheBellAndScarfTakeTheFursShadow) {
    const PurloFurPalette calico = PurloFurPalette::make(CatSkinPreset::calico);
    for (const CatAccessoryPreset accessory : allCases<CatAccessoryPreset>()) {
        const auto onMidnight = recordCells([&](const CellTarget& target) {
            CatAccessoryLayer::drawAccessory(accessory, palette, target);
        });
        const auto onCalico = recordCells([&](const CellTarget& target) {
            CatAccessoryLayer::drawAccessory(accessory, calico, target);
        });
        std::size_t differing = 0;
        for (std::size_t i = 0; i < onMidnight.fills().size(); ++i) {
            differing += onMidnight.fills()[i].color != onCalico.fills()[i].color ? 1 : 0;
        }
        const bool shaded =
            accessory == CatAccessoryPreset::bell || accessory == CatAccessoryPreset::scarf;
        EXPECT_EQ(differing, shaded ? 1u : 0u) << toString(accessory);
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

TEST(CatMoodMarks, SparklesDanceAndSweatRisesWithTheFrame) {
    CatAnimationFrame frame;
    frame.confettiPhase = 3;
    frame.steamYOffset = -2;
    const auto sparkles = recordCells([&](const CellTarget& body) {
                              CatMoodMarks::draw(CatMood::celebrating, frame, body, body);
                          }).allRects();
    EXPECT_EQ(sparkles,
              (std::vector<CanvasRect>{{80, 96, 12, 12}, {388, 110, 12, 12}, {414, 154, 12, 12}}));
    const auto hot = recordCells([&](const CellTarget& body) {
                         CatMoodMarks::draw(CatMood::overheated, frame, body, body);
                     }).allRects();
    ASSERT_EQ(hot.size(), 6u);
    EXPECT_EQ(hot[4], (CanvasRect{214, 52, 10, 16}));
}

TEST(CatMoodMarks, CalmMoodsLeaveNoMarks) {
    for (const CatMood mood : {CatMood::idle, CatMood::hunting, CatMood::typing,
                               CatMood::stretching, CatMood::dragged}) {
        EXPECT_TRUE(recordCells([&](const CellTarget& body) {
                        CatMoodMarks::draw(mood, CatAnimationFrame{}, body, body);
                    })
                        .fills()
                        .empty())
            << toString(mood);
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

TEST(CatStanceDetails, FrontLegsSinkWithThePawOffsets) {
    CatAnimationFrame frame;
    frame.leftPawYOffset = -4;
    frame.rightPawYOffset = 1;
    const auto rects = recordCells([&](const CellTarget& body) {
                           CatStanceDetails::drawSeated(frame, palette, body);
                       }).allRects();
    EXPECT_TRUE(testing::containsRect(rects, {244, 406, 54, 88}));
    EXPECT_TRUE(testing::containsRect(rects, {348, 431, 54, 88}));
    EXPECT_TRUE(testing::containsRect(rects, {244, 486, 56, 28})) << "the left paw went along";
    EXPECT_TRUE(testing::containsRect(rects, {270, 286, 50, 16})) << "the chest stays put";
}

} // namespace
} // namespace purlo
