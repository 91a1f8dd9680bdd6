#include "runtime/IdleTimeFollower.h"

#include <cmath>

namespace purlo {

IdleTimeFollower::IdleTimeFollower(const IdleSource& source)
    : source_(source) {}

std::optional<double> IdleTimeFollower::secondsSinceAnyInput(double uptime, bool onScreen) {
    const bool due = onScreen || !last_ || uptime < last_->uptime ||
                     uptime - last_->uptime >= offScreenReadingInterval;
    if (due) {
        last_ = Reading{uptime, read()};
        return last_->seconds;
    }
    if (!last_->seconds) {
        return std::nullopt;
    }
    return *last_->seconds + (uptime - last_->uptime);
}

std::optional<double> IdleTimeFollower::read() const {
    const std::optional<double> seconds = source_.secondsSinceAnyInput();
    if (!seconds || !std::isfinite(*seconds) || *seconds < 0) {
        return std::nullopt;
    }
    return seconds;
}

} // namespace purlo
