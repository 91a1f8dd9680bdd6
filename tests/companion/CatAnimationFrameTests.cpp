#include "companion/CatAnimationFrame.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace purlo {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double pi = std::numbers::pi;

CompanionScene sceneWith(CatPose pose, CatMood mood = CatMood::idle, Size gaze = {},
                         double yawn = 0) {
    CompanionScene scene;
    scene.pose = pose;
    scene.mood = mood;
    scene.eyeOffset = gaze;
    scene.yawnProgress = yawn;
    return scene;
}

TEST(CatAnimationFrame, BlinksOnlyInItsWindowAndOnlyForPosesThatBlink) {
    struct Case {
        CatPose pose;
        double t;
        double yawn;
        bool blink;
    };
    const Case cases[] = {
        {CatPose::idle, 4.6, 0, true},
        {CatPose::idle, 4.55, 0, false}, // the window opens strictly after 4.55 s
        {CatPose::idle, 4.81, 0, false}, // and repeats every 4.8 s
        {CatPose::idle, 4.8 + 4.6, 0, true},
        {CatPose::purr, 4.6, 0, true},
        {CatPose::blep, 4.6, 0, true},
        {CatPose::loaf, 4.6, 0, false}, // a loaf never blinks
        {CatPose::think, 4.6, 0, false},
        {CatPose::sleep, 1.0, 0, true},
        {CatPose::greet, 0.59, 0, false},
        {CatPose::greet, 0.6, 0, true},
        {CatPose::greet, 1.49, 0, true},
        {CatPose::greet, 1.5, 0, false},
        {CatPose::yawn, 4.6, 0.18, false}, // sin(0.18 pi) = 0.54: not yet
        {CatPose::yawn, 1.0, 0.2, true},   // sin(0.2 pi) = 0.59
        {CatPose::yawn, 1.0, 0.5, true},
    };
    for (const Case& c : cases) {
        const auto frame =
            CatAnimationFrame::make(sceneWith(c.pose, CatMood::idle, {}, c.yawn), c.t);
        EXPECT_EQ(frame.blink, c.blink) << toString(c.pose) << " at " << c.t;
    }
}

TEST(CatAnimationFrame, YawnOpensAndClosesTheMouthOverItsProgress) {
    struct Case {
        double progress;
        double opening;
    };
    const Case cases[] = {
        {0.5, 1.0}, {0.25, std::sqrt(0.5)}, {1.0, 0.0}, {1.5, 0.0}, {0.0, 0.0}, {-0.2, 0.0},
        {nan, 0.0},
    };
    for (const Case& c : cases) {
        const auto frame =
            CatAnimationFrame::make(sceneWith(CatPose::yawn, CatMood::idle, {}, c.progress), 3.0);
        EXPECT_NEAR(frame.yawnProgress, c.opening, 1e-9) << c.progress;
        EXPECT_NEAR(frame.headYOffset, 4 * c.opening, 1e-9) << c.progress;
        EXPECT_EQ(frame.headTiltDegrees, -2) << c.progress;
    }
    // Only the yawn pose opens the mouth.
    EXPECT_EQ(
        CatAnimationFrame::make(sceneWith(CatPose::idle, CatMood::idle, {}, 0.5), 3.0).yawnProgress,
        0);
}

TEST(CatAnimationFrame, GazeSteersTheHead) {
    struct Case {
        Size gaze;
        double tilt;
        double pitch;
        double drop;
    };
    const Case cases[] = {
        {{0.35, 1}, 2.5, 1, 10},
        {{0.35, 3}, 2.5, 1, 10},    // looking down is capped at 1
        {{0.35, -1}, 4, 0, 0},      // fully up: the tilt follows the side
        {{0.35, -2}, 4, 0, 0},      // beyond fully up counts as fully up
        {{0.7, -1}, 4, 0, 0},       // the side saturates at 0.35
        {{-0.175, -0.5}, -1, 0, 0}, // -4 * -0.5 * -0.5
        {{0.35, 0}, 0, 0, 0},       // level gaze: the head stays put
        {{0, 0.3}, 0, 0, 1.8},      // a slight look down drops without pitching
        {{0, 0.65}, 0, 0.5, 5.9},
        {{nan, 0.65}, 0, 0.5, 5.9}, // a side that is not a number does not turn her
        {{0.35, nan}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const auto frame =
            CatAnimationFrame::make(sceneWith(CatPose::stare, CatMood::idle, c.gaze), 2.0);
        EXPECT_NEAR(frame.headTiltDegrees, c.tilt, 1e-9) << c.gaze.width << ", " << c.gaze.height;
        EXPECT_NEAR(frame.headPitchDown, c.pitch, 1e-9) << c.gaze.width << ", " << c.gaze.height;
        EXPECT_NEAR(frame.headYOffset, c.drop, 1e-9) << c.gaze.width << ", " << c.gaze.height;
    }
}

TEST(CatAnimationFrame, GazeAddsToThePosesOwnHeadMotion) {
    // Thinking tilts the head -4; looking fully up and right adds 4.
    const auto up =
        CatAnimationFrame::make(sceneWith(CatPose::think, CatMood::thinking, {0.35, -1}), 0.5);
    EXPECT_NEAR(up.headTiltDegrees, 0, 1e-9);
    // Sleeping drops the head 9; looking down adds 10 more.
    const auto down =
        CatAnimationFrame::make(sceneWith(CatPose::sleep, CatMood::sleeping, {0, 1}), 0.5);
    EXPECT_NEAR(down.headYOffset, 19, 1e-9);
    EXPECT_EQ(down.headPitchDown, 1);
}

TEST(CatAnimationFrame, HuntWigglesPouncesTowardTheGazeAndLands) {
    struct Case {
        double t;
        double gazeX;
        double xOffset;
        double swipe;
        double scaleY;
    };
    const Case cases[] = {
        {0.69, -0.5, 0, 0, 0.95},  {0.7, -0.5, -7, -1, 1.03},
        {0.9, -0.5, -7, -1, 1.03}, {2.9, 0.5, 7, 1, 1.03},
        {0.9, 0, 7, 1, 1.03},      {1.1, -0.5, -3, 0, 0.96},
        {1.34, 0.5, 3, 0, 0.96},   {1.35, -0.5, 0, 0, std::nan("")},
    };
    for (const Case& c : cases) {
        const auto frame =
            CatAnimationFrame::make(sceneWith(CatPose::hunt, CatMood::hunting, {c.gazeX, 0}), c.t);
        EXPECT_NEAR(frame.bodyXOffset, c.xOffset, 1e-9) << c.t << " " << c.gazeX;
        EXPECT_EQ(frame.pounceSwipeDirection, c.swipe) << c.t << " " << c.gazeX;
        if (!std::isnan(c.scaleY)) {
            EXPECT_NEAR(frame.bodyScaleY, c.scaleY, 1e-9) << c.t << " " << c.gazeX;
        }
        EXPECT_EQ(frame.headYOffset, 2);
    }
}

TEST(CatAnimationFrame, SwatSwingsThePawOnThePointersSide) {
    const double t = pi / 13; // the swing at its height: |sin(6.5 t)| = 1
    struct Case {
        double gazeX;
        double left;
        double right;
    };
    const Case cases[] = {
        {-0.05, -23, -2}, {-0.08, -23, -2}, {-0.081, -2, -23}, {0, -2, -23}, {0.4, -2, -23},
    };
    for (const Case& c : cases) {
        const auto frame =
            CatAnimationFrame::make(sceneWith(CatPose::swat, CatMood::hunting, {c.gazeX, 0}), t);
        EXPECT_NEAR(frame.leftPawYOffset, c.left, 1e-9) << c.gazeX;
        EXPECT_NEAR(frame.rightPawYOffset, c.right, 1e-9) << c.gazeX;
    }
}

TEST(CatAnimationFrame, SteamRisesOnlyWhenOverheated) {
    const double t = pi / 12; // |sin(6 t)| = 1
    const auto hot = CatAnimationFrame::make(sceneWith(CatPose::typing, CatMood::overheated), t);
    EXPECT_NEAR(hot.steamYOffset, -2, 1e-9);
    const auto busy = CatAnimationFrame::make(sceneWith(CatPose::typing, CatMood::typing), t);
    EXPECT_EQ(busy.steamYOffset, 0);
    // Overheated paws tap faster: at t = 0.2, sin(19 t) < 0 while sin(12 t) > 0.
    EXPECT_EQ(CatAnimationFrame::make(sceneWith(CatPose::typing, CatMood::overheated), 0.2)
                  .leftPawYOffset,
              1);
    EXPECT_EQ(
        CatAnimationFrame::make(sceneWith(CatPose::typing, CatMood::typing), 0.2).leftPawYOffset,
        -4);
}

TEST(CatAnimationFrame, PhasesStepWithTime) {
    struct Case {
        double t;
        std::int64_t confetti;
        std::int64_t sleepZ;
    };
    const Case cases[] = {
        {0, 0, 0},   {0.124, 0, 0}, {0.125, 1, 0}, {0.25, 2, 0}, {0.375, 3, 0},
        {0.5, 0, 0}, {0.72, 1, 1},  {1.43, 3, 2},  {2.15, 1, 0}, {1e9 + 0.125, 1, 2},
    };
    for (const Case& c : cases) {
        const auto frame = CatAnimationFrame::make(sceneWith(CatPose::idle), c.t);
        EXPECT_EQ(frame.confettiPhase, c.confetti) << c.t;
        EXPECT_EQ(frame.sleepZPhase, c.sleepZ) << c.t;
    }
}

TEST(CatAnimationFrame, ATimeOutsideTheClocksRangeShowsTheFirstStep) {
    for (const double t : {nan, std::numeric_limits<double>::infinity(), 1e300, -1e300}) {
        const auto frame = CatAnimationFrame::make(sceneWith(CatPose::idle), t);
        EXPECT_GE(frame.confettiPhase, -3) << t;
        EXPECT_LE(frame.confettiPhase, 3) << t;
        EXPECT_GE(frame.sleepZPhase, -2) << t;
        EXPECT_LE(frame.sleepZPhase, 2) << t;
    }
    EXPECT_EQ(CatAnimationFrame::make(sceneWith(CatPose::idle), nan).confettiPhase, 0);
}

} // namespace
} // namespace purlo
