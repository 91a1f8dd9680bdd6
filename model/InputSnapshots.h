#pragma once

#include "base/Geometry.h"

#include <cstdint>
#include <optional>

namespace purlo {

// The pointer as sampled in one tick.
struct PointerSnapshot {
    Point location;
    Size velocity;                          // points per second since the previous sample
    std::optional<double> lastMovementTime; // uptime of the last move of 1 point or more

    friend bool operator==(const PointerSnapshot&, const PointerSnapshot&) = default;
};

// The rhythm of typing: only when keys were pressed, never which.
struct TypingSnapshot {
    std::int64_t recentKeyPressCount = 0; // presses within the last 2.5 s
    double keysPerSecond = 0;
    std::optional<double> lastKeyPressTime;

    friend bool operator==(const TypingSnapshot&, const TypingSnapshot&) = default;
};

} // namespace purlo
