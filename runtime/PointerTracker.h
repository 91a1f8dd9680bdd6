#pragma once

#include "model/InputSnapshots.h"
#include "platform/PointerSource.h"

#include <optional>

namespace purlo {

// Samples the pointer every tick and derives how fast it moves and when it last
// really moved, for the cat's eyes, her hunting and her idling.
class PointerTracker {
public:
    // Shorter (or backward) steps between samples count as this long.
    static constexpr double minimumTimeStep = 0.001;
    // A smaller step between two samples is a tremor, not a movement.
    static constexpr double movementThreshold = 1.0;

    // The source must outlive the tracker.
    explicit PointerTracker(const PointerSource& pointer);

    PointerSnapshot sample(double now);
    // Measures the next sample from the present position and forgets the last
    // movement: after start, a screen change or a wake.
    void seed(double now);

private:
    const PointerSource& pointer_;
    std::optional<Point> lastLocation_;
    std::optional<double> lastSampleTime_;
    std::optional<double> lastMovementTime_;
};

} // namespace purlo
