#pragma once

#include "model/InputSnapshots.h"
#include "platform/PointerSource.h"

#include <optional>

namespace purlo {

// Samples the pointer every tick and derives how fast it moves and when it last
// really moved, for the cat's eyes, her hunting and her idling. Asking where the
// pointer is costs a round trip to the display, so it is asked only when it can have
// moved: the pointer moves only with input, and the desktop tells how long ago the last
// input came.
class PointerTracker {
public:
    // Shorter (or backward) steps between samples count as this long.
    static constexpr double minimumTimeStep = 0.001;
    // A smaller step between two samples is a tremor, not a movement.
    static constexpr double movementThreshold = 1.0;
    // Input this much older than the last reading may still have moved the pointer after
    // it: the desktop learns of input a moment late.
    static constexpr double inputLatency = 0.05;

    // The source must outlive the tracker.
    explicit PointerTracker(const PointerSource& pointer);

    // Reads the pointer unless no input came since the last reading (by the seconds
    // since any input, when the desktop can tell); otherwise it stands where it was.
    PointerSnapshot sample(double now, std::optional<double> secondsSinceAnyInput = std::nullopt);
    // The pointer standing where it was last read, without asking: while nobody can see
    // her look at it. Only a tracker that never read it reads it.
    PointerSnapshot hold(double now);
    // Measures the next sample from the present position and forgets the last
    // movement: after start, a screen change, a wake or when she is shown again.
    void seed(double now);

private:
    Point read(double now);
    PointerSnapshot advance(Point location, double now);

    const PointerSource& pointer_;
    std::optional<Point> lastLocation_;
    std::optional<double> lastSampleTime_;
    std::optional<double> lastMovementTime_;
    std::optional<double> lastReadTime_;
};

} // namespace purlo
