#include "runtime/PointerTracker.h"

#include <algorithm>
#include <cmath>

namespace purlo {

PointerTracker::PointerTracker(const PointerSource& pointer)
    : pointer_(pointer) {}

PointerSnapshot PointerTracker::sample(double now, std::optional<double> secondsSinceAnyInput) {
    const bool stillSinceReading = lastLocation_ && lastReadTime_ && secondsSinceAnyInput &&
                                   *secondsSinceAnyInput >= now - *lastReadTime_ + inputLatency;
    return advance(stillSinceReading ? *lastLocation_ : read(now), now);
}

PointerSnapshot PointerTracker::hold(double now) {
    return advance(lastLocation_ ? *lastLocation_ : read(now), now);
}

void PointerTracker::seed(double now) {
    lastLocation_ = read(now);
    lastSampleTime_ = now;
    lastMovementTime_.reset();
}

Point PointerTracker::read(double now) {
    lastReadTime_ = now;
    return pointer_.location();
}

PointerSnapshot PointerTracker::advance(Point location, double now) {
    Size velocity;
    if (lastLocation_ && lastSampleTime_) {
        const double dt = std::max(now - *lastSampleTime_, minimumTimeStep);
        const double dx = location.x - lastLocation_->x;
        const double dy = location.y - lastLocation_->y;
        if (std::hypot(dx, dy) >= movementThreshold) {
            lastMovementTime_ = now;
        }
        velocity = Size{dx / dt, dy / dt};
    }
    lastLocation_ = location;
    lastSampleTime_ = now;
    return PointerSnapshot{location, velocity, lastMovementTime_};
}

} // namespace purlo
