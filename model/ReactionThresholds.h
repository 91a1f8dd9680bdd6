#pragma once

#include <algorithm>

namespace purlo {

// The engine's thresholds follow the user's reaction intensity linearly around the
// default 0.72: a livelier cat overheats sooner, notices the pointer from further
// away and dozes off earlier. Out-of-range intensities act as the bounds.
struct ReactionThresholds {
    double overheatedTypingRate; // keys per second
    double recentActivityWindow; // seconds of quiet before she dozes off
    double pointerNearRadius;    // points from her head
    double fastPointerSpeed;     // points per second
    double pointerActivitySpeed; // points per second that count as the user moving

    static ReactionThresholds forIntensity(double reactionIntensity) {
        const double k = 0.72 - std::clamp(reactionIntensity, 0.1, 1.0);
        return {
            6.5 + 2.5 * k, 120 + 95 * k, 260 - 125 * k, 1200 + 725 * k, 160 + 75 * k,
        };
    }
};

} // namespace purlo
