#pragma once

#include "platform/IdleSource.h"

#include <optional>

namespace purlo {

// The session's idle time as each tick needs it. While she is on screen it is read at
// every tick: whether the pointer is asked for depends on it. While she is off screen
// only the behaviour's minutes-long absence does, and reading it costs a system call, so
// it is read once a second and counted on in between: input in that second shows at the
// next reading.
class IdleTimeFollower {
public:
    static constexpr double offScreenReadingInterval = 1.0;

    // The source must outlive the follower.
    explicit IdleTimeFollower(const IdleSource& source);

    // Seconds since any input at this uptime: finite and not negative, or nothing when
    // the desktop cannot tell (an invalid reading is no reading: never a zero that would
    // look like fresh input).
    std::optional<double> secondsSinceAnyInput(double uptime, bool onScreen);

private:
    struct Reading {
        double uptime = 0;
        std::optional<double> seconds;
    };

    std::optional<double> read() const;

    const IdleSource& source_;
    std::optional<Reading> last_;
};

} // namespace purlo
