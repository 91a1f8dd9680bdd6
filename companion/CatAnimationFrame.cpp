#include "companion/CatAnimationFrame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace purlo {
namespace {

constexpr double pi = std::numbers::pi;

double wrap(double x) {
    return std::fmod(x, 2 * pi);
}

// A slow swell around 1: period p seconds, amplitude a.
double breathe(double t, double p, double a) {
    return 1 + a * std::sin(2 * pi * t / p);
}

// The tail tip flicks down and up once every 5.6 s.
double twitch(double t) {
    const double phase = std::fmod(t, 5.6);
    if (phase < 0.16) {
        return -1;
    }
    if (phase < 0.32) {
        return 1;
    }
    return 0;
}

// floor(scaledTime) mod count with the sign of the dividend. Going through the
// double remainder keeps a time outside the integer range (or not a number) from
// undefined conversion: such a time simply shows the first step.
std::int64_t steppedPhase(double scaledTime, double count) {
    if (!std::isfinite(scaledTime)) {
        return 0;
    }
    return static_cast<std::int64_t>(std::fmod(std::floor(scaledTime), count));
}

bool periodicBlink(CatPose pose, double t) {
    const bool blinks = pose == CatPose::idle || pose == CatPose::purr || pose == CatPose::blep;
    return blinks && std::fmod(t, 4.8) > 4.55;
}

// A gaze component that is not a number is no gaze at all.
double numberOrZero(double value) {
    return std::isnan(value) ? 0 : value;
}

// She turns and lowers her head toward where she looks.
void steerHead(CatAnimationFrame& frame, double gx, double gy) {
    const double g = std::clamp(gx / 0.35, -1.0, 1.0);
    if (gy <= -1) {
        frame.headTiltDegrees += 4 * g;
    } else if (gy < 0) {
        frame.headTiltDegrees += -4 * gy * g;
    } else if (gy > 0) {
        const double h = std::min(gy, 1.0);
        frame.headPitchDown = std::clamp((h - 0.3) / 0.7, 0.0, 1.0);
        frame.headYOffset += 6 * h + 4 * frame.headPitchDown;
        frame.headTiltDegrees += 2.5 * h * g;
    }
}

void setBothPaws(CatAnimationFrame& frame, double offset) {
    frame.leftPawYOffset = offset;
    frame.rightPawYOffset = offset;
}

void applyIdle(CatMood mood, CatAnimationFrame& frame, double t) {
    frame.bodyScaleY = breathe(t, 3.6, 0.012);
    frame.tailYOffset = 1.4;
    frame.tailWavePhase = wrap(2.2 * t);
    frame.headTiltDegrees = 3 * std::sin(0.35 * t);
    if (mood == CatMood::curious) {
        frame.headYOffset = std::sin(3 * t) > 0 ? -1 : 0;
        frame.headTiltDegrees = 6;
    } else if (mood == CatMood::idle) {
        frame.tailTipYOffset = twitch(t);
        frame.leftEarTwitchYOffset = std::fmod(t, 9) > 8.82 ? -1 : 0;
        frame.rightEarTwitchYOffset = std::fmod(t + 3.6, 9) > 8.82 ? -1 : 0;
    }
}

// Wiggle, pounce toward the gaze, land, settle: one round every 2 s.
void applyHunt(CatAnimationFrame& frame, double t, double dir) {
    frame.headYOffset = 2;
    frame.tailYOffset = 3;
    frame.tailWavePhase = wrap(9 * t);
    const double p = std::fmod(t, 2);
    if (p < 0.7) {
        frame.bodyScaleY = 0.95;
        frame.bodyYOffset = 1;
        frame.bodyRotationDegrees = 1.4 * std::sin(14 * t);
    } else if (p < 1.1) {
        frame.bodyXOffset = 7 * dir;
        frame.bodyScaleX = 1.05;
        frame.bodyScaleY = 1.03;
        frame.pounceSwipeDirection = dir;
    } else if (p < 1.35) {
        frame.bodyXOffset = 3 * dir;
        frame.bodyScaleY = 0.96;
    } else {
        frame.bodyScaleY = breathe(t, 3.6, 0.008);
    }
}

void applyTyping(CatMood mood, CatAnimationFrame& frame, double t) {
    const double f = mood == CatMood::overheated ? 19 : 12;
    const bool leftDown = std::sin(f * t) < 0;
    frame.leftPawYOffset = leftDown ? 1 : -4;
    frame.rightPawYOffset = leftDown ? -4 : 1;
    frame.tailYOffset = 1.2;
    frame.tailWavePhase = wrap(5 * t);
    frame.headYOffset = 1;
    frame.bodyScaleY = 1 + 0.006 * std::sin(f * t / 2);
}

void applyZoomies(CatAnimationFrame& frame, double t, double gazeX) {
    const bool leftStride = std::sin(14 * t) > 0;
    frame.leftPawYOffset = leftStride ? -5 : 0;
    frame.rightPawYOffset = leftStride ? 0 : -5;
    const double a = std::abs(std::sin(7 * t));
    frame.bodyYOffset = -3 * a;
    frame.headYOffset = 10 - 2 * a;
    frame.bodyRotationDegrees = gazeX >= 0 ? 2 : -2;
    frame.tailYOffset = 1.2;
    frame.tailWavePhase = 10 * t;
}

void applyYawn(CatAnimationFrame& frame, double yawnProgress) {
    const double v =
        yawnProgress > 0 ? std::max(0.0, std::sin(pi * std::min(yawnProgress, 1.0))) : 0.0;
    frame.yawnProgress = v;
    frame.headTiltDegrees = -2;
    frame.headYOffset = 4 * v;
    frame.blink = v > 0.55;
}

// The paw on the pointer's side swings; the view mirrors the cat for a gaze left of
// -0.08, so the swing lands on the left paw only just short of that.
void applySwat(CatAnimationFrame& frame, double t, double gazeX) {
    const double a = std::abs(std::sin(6.5 * t));
    frame.bodyScaleY = 1.06 + 0.03 * a;
    frame.headYOffset = -2;
    const bool leftSwings = gazeX >= -0.08 && gazeX < 0;
    frame.leftPawYOffset = leftSwings ? -9 * a - 14 : -2;
    frame.rightPawYOffset = leftSwings ? -2 : -9 * a - 14;
}

} // namespace

CatAnimationFrame CatAnimationFrame::make(const CompanionScene& scene, double t) {
    CatAnimationFrame frame;
    frame.confettiPhase = steppedPhase(8 * t, 4);
    frame.sleepZPhase = steppedPhase(1.4 * t, 3);
    frame.blink = periodicBlink(scene.pose, t);
    const double gazeX = numberOrZero(scene.eyeOffset.width);
    const double gazeY = numberOrZero(scene.eyeOffset.height);
    applyPoseMotion(scene.pose, scene.mood, frame, t, gazeX, scene.yawnProgress);
    if (scene.mood == CatMood::overheated) {
        frame.steamYOffset = -2 * std::abs(std::sin(6 * t));
    }
    steerHead(frame, gazeX, gazeY);
    return frame;
}

void CatAnimationFrame::applyPoseMotion(CatPose pose, CatMood mood, CatAnimationFrame& frame,
                                        double t, double gazeX, double yawnProgress) {
    const double dir = gazeX < 0 ? -1 : 1;
    switch (pose) {
    case CatPose::idle:
        applyIdle(mood, frame, t);
        return;
    case CatPose::hunt:
        applyHunt(frame, t, dir);
        frame.blink = false;
        return;
    case CatPose::typing:
        applyTyping(mood, frame, t);
        frame.blink = false;
        return;
    case CatPose::think:
        frame.bodyScaleY = breathe(t, 4.4, 0.012);
        frame.headYOffset = std::sin(3.2 * t) > 0 ? -1 : 0;
        frame.headTiltDegrees = -4;
        frame.tailYOffset = 2.2;
        frame.tailWavePhase = wrap(pi * t);
        frame.thoughtBubbleScale = 0.88 + 0.22 * std::abs(std::sin(2.7 * t));
        frame.blink = false;
        return;
    case CatPose::wait:
        frame.bodyScaleY = breathe(t, 4.4, 0.012);
        frame.headYOffset = std::sin(1.6 * t) > 0 ? -1 : 0;
        frame.headTiltDegrees = 5;
        frame.tailYOffset = 0.5;
        frame.tailWavePhase = wrap(0.9 * t);
        frame.blink = false;
        return;
    case CatPose::celebrate:
        frame.bodyYOffset = -9 * std::abs(std::sin(9 * t));
        frame.bodyRotationDegrees = 2.2 * std::sin(9 * t);
        frame.headYOffset = -1;
        setBothPaws(frame, -7);
        frame.tailYOffset = 3;
        frame.tailWavePhase = wrap(10 * t);
        frame.blink = false;
        return;
    case CatPose::stretch:
        frame.stance = CatBodyStance::bow;
        frame.bodyYOffset = 1.5 * std::sin(2.2 * t);
        frame.bodyScaleX = 1.05;
        frame.headYOffset = 5;
        setBothPaws(frame, -1);
        frame.tailYOffset = 2.2;
        frame.tailWavePhase = wrap(2.4 * t);
        frame.blink = false;
        return;
    case CatPose::sleep:
        frame.stance = CatBodyStance::loaf;
        frame.bodyScaleY = breathe(t, 5.2, 0.02);
        frame.bodyYOffset = 1;
        frame.headYOffset = 9;
        frame.tailYOffset = 0.3;
        frame.tailWavePhase = wrap(0.5 * t);
        frame.blink = true;
        return;
    case CatPose::drag:
        frame.bodyScaleX = 0.95;
        frame.bodyScaleY = 1.13;
        frame.bodyRotationDegrees = 2.5 * std::sin(3.2 * t);
        frame.bodyYOffset = -2;
        frame.headYOffset = -1;
        frame.headTiltDegrees = -1.8 * std::sin(3.2 * t);
        setBothPaws(frame, 2.5);
        frame.tailYOffset = 2;
        frame.tailWavePhase = wrap(6 * t);
        frame.blink = false;
        return;
    case CatPose::purr:
        frame.bodyScaleX = 1 + 0.005 * std::sin(22 * t);
        frame.bodyScaleY = breathe(t, 3, 0.014);
        frame.headYOffset = std::sin(10 * t) > 0 ? -1 : 0;
        frame.headTiltDegrees = 2.5 * std::sin(5 * t);
        frame.tailYOffset = 2;
        frame.tailWavePhase = wrap(4 * t);
        frame.tailTipYOffset = twitch(t);
        return;
    case CatPose::greet: {
        frame.bodyScaleY = breathe(t, 3.4, 0.012);
        frame.headTiltDegrees = 4;
        frame.tailYOffset = 1.2;
        frame.tailWavePhase = wrap(1.8 * t);
        frame.tailTipYOffset = twitch(t);
        const double wink = std::fmod(t, 2.2);
        frame.blink = wink >= 0.6 && wink < 1.5;
        return;
    }
    case CatPose::hesitate:
        setBothPaws(frame, -4);
        frame.headYOffset = -1;
        frame.headTiltDegrees = 6;
        frame.bodyScaleY = 1.006;
        frame.tailYOffset = 0.6;
        frame.tailWavePhase = wrap(0.7 * t);
        frame.blink = false;
        return;
    case CatPose::flop:
        frame.stance = CatBodyStance::loaf;
        frame.bodyYOffset = 2;
        frame.bodyScaleY = breathe(t, 5.6, 0.01);
        frame.bodyRotationDegrees = -9;
        frame.headYOffset = 10;
        frame.tailYOffset = 0.2;
        frame.tailTipYOffset = std::fmod(t, 2.4) < 0.2 ? -2 : 0;
        frame.blink = false;
        return;
    case CatPose::zoomies:
        frame.stance = CatBodyStance::gallop;
        applyZoomies(frame, t, gazeX);
        frame.blink = false;
        return;
    case CatPose::loaf:
        frame.stance = CatBodyStance::loaf;
        frame.bodyScaleY = 1 + 0.012 * std::sin(1.6 * t);
        frame.tailYOffset = 1.4;
        frame.tailWavePhase = 1.8 * t;
        frame.blink = false;
        return;
    case CatPose::groom:
        frame.headTiltDegrees = 14;
        frame.leftPawYOffset = 3 * std::sin(9 * t) - 12;
        frame.bodyRotationDegrees = 2;
        frame.headYOffset = 6;
        frame.blink = false;
        return;
    case CatPose::yawn:
        applyYawn(frame, yawnProgress);
        return;
    case CatPose::guardian:
        frame.bodyScaleY = 1.05 + 0.008 * std::sin(1.2 * t);
        frame.blink = false;
        return;
    case CatPose::stare:
        frame.blink = false;
        return;
    case CatPose::blep:
        frame.tongueOut = true;
        frame.headTiltDegrees = 3;
        frame.bodyScaleY = 1 + 0.01 * std::sin(1.4 * t);
        return;
    case CatPose::crossEyed:
        frame.crossEyed = true;
        frame.headTiltDegrees = -2;
        frame.blink = false;
        return;
    case CatPose::swat:
        applySwat(frame, t, gazeX);
        frame.blink = false;
        return;
    case CatPose::crouch:
        frame.bodyScaleY = 0.8;
        frame.headYOffset = 6;
        frame.tailYOffset = 1;
        frame.tailWavePhase = 7 * t;
        frame.bodyXOffset = 1.4 * std::sin(11 * t);
        frame.blink = false;
        return;
    }
}

} // namespace purlo
