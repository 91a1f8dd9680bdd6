#pragma once

#include "model/CatMood.h"
#include "model/CatPose.h"
#include "model/CompanionScene.h"

#include <cstdint>

namespace purlo {

// The body silhouettes the painter knows.
enum class CatBodyStance { sitting, loaf, bow, gallop };

// Everything one drawn frame needs to know about the cat's motion. A pure function
// of the scene and the time, so the animation needs no state between frames.
struct CatAnimationFrame {
    CatBodyStance stance = CatBodyStance::sitting;
    double bodyYOffset = 0;         // view points, applied by the view
    double bodyXOffset = 0;         // view points, applied by the view
    double bodyScaleX = 1;          // about the bottom centre
    double bodyScaleY = 1;          // about the bottom centre
    double bodyRotationDegrees = 0; // about the unit point (0.5, 0.92)
    double headYOffset = 0;         // the head sinks 4 grid units per unit
    double headTiltDegrees = 0;     // about the neck point (286, 272)
    double headPitchDown = 0;       // 0...1, ears and face drop as she looks down
    double tailYOffset = 0;         // amplitude of the tail wave
    double tailWavePhase = 0;       // radians
    double tailTipYOffset = 0;      // -2...1, outer tail segments, 10 grid units per unit
    double leftPawYOffset = 0;
    double rightPawYOffset = 0;
    double yawnProgress = 0; // mouth opening 0...1
    double leftEarTwitchYOffset = 0;
    double rightEarTwitchYOffset = 0;
    double steamYOffset = 0;
    double thoughtBubbleScale = 1;
    std::int64_t confettiPhase = 0; // 0...3, eight steps a second
    std::int64_t sleepZPhase = 0;   // 0...2
    bool blink = false;
    double pounceSwipeDirection = 0; // -1 or +1 while a pounce is in flight
    bool tongueOut = false;
    bool crossEyed = false;

    // Reads only the scene's mood, pose, gaze and yawn progress. t is the frame's
    // time in seconds.
    static CatAnimationFrame make(const CompanionScene& scene, double t);

    // The motion of one pose, written over the defaults.
    static void applyPoseMotion(CatPose pose, CatMood mood, CatAnimationFrame& frame, double t,
                                double gazeX, double yawnProgress);

    friend bool operator==(const CatAnimationFrame&, const CatAnimationFrame&) = default;
};

} // namespace purlo
