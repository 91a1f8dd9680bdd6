#include "runtime/PointerTracker.h"

#include <algorithm>
#include <cmath>

namespace purlo {

PointerTracker::PointerTracker(const PointerSource& pointer)
    : pointer_(pointer) {}

PointerSnapshot PointerTracker::sample(double now) {
    const Point location = pointer_.location();
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

void PointerTracker::seed(double now) {
    lastLocation_ = pointer_.location();
    lastSampleTime_ = now;
    lastMovementTime_.reset();
}

} // namespace purlo
