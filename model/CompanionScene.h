#pragma once

#include "base/Geometry.h"
#include "model/CatMood.h"
#include "model/CatPose.h"
#include "model/CompanionMessage.h"

#include <optional>
#include <string>

namespace purlo {

// The engine's output for one tick: everything the companion window shows.
struct CompanionScene {
    Point position; // origin of the companion window
    CatMood mood = CatMood::idle;
    CatPose pose = CatPose::idle;
    std::optional<CompanionMessage> message;
    Size eyeOffset; // gaze as a pupil offset, each component in -1...1
    double scale = 1.0;
    std::optional<std::string> timerLabel;
    bool isVisible = true;
    double yawnProgress = 0;
    std::optional<Point> butterflyPosition;

    // Field by field in declaration order, texts as a reader sees them (canonically
    // equivalent); a NaN coordinate never compares equal, so such a scene is always
    // published again.
    friend bool operator==(const CompanionScene& left, const CompanionScene& right);
};

} // namespace purlo
