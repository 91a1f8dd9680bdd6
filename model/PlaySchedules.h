#pragma once

#include <cmath>

namespace purlo {

// The cat plays on her own at intervals that vary, yet the engine has no random
// source: each interval is worked out from the time itself, so the same inputs
// always give the same scenes.

// The fractional part of x, with the sign of x.
inline double fractionalPart(double x) {
    return std::fmod(x, 1.0);
}

// 2.5 to 4.5 hours between zoomies runs.
inline double zoomiesDelay(double time) {
    return 9000 + std::fmod(std::fabs(time), 7200.0);
}

// 1.5 to 3.5 hours before the first funny face.
inline double firstFunnyFaceDelay(double time) {
    return 5400 + 7200 * fractionalPart((time + 3.7) * 7.31);
}

// 1.5 to 3.5 hours between funny faces.
inline double funnyFaceDelay(double time) {
    return 5400 + 7200 * fractionalPart(time * 7.31);
}

// 3.2 to 6.6 hours before the first butterfly.
inline double firstButterflyDelay(double time) {
    return 11520 + 12240 * fractionalPart((time + 9.1) * 5.13);
}

// 3.2 to 6.6 hours between butterflies.
inline double butterflyDelay(double time) {
    return 11520 + 12240 * fractionalPart(time * 5.13);
}

} // namespace purlo
