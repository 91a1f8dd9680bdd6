#pragma once

#include "model/PurloNap.h"

#include <optional>

namespace purlo {

// The daily scheduled nap once it has been announced: when it begins (uptime seconds)
// and for how long. Both are set together and cleared together; while a nap is pending
// no reminder competes with its announcement.
struct ScheduledNapController {
    std::optional<double> napAt;
    std::optional<PurloNapDuration> pendingDuration;

    bool isArmed() const { return napAt.has_value(); }
    void arm(double at, PurloNapDuration duration) {
        napAt = at;
        pendingDuration = duration;
    }
    void disarm() {
        napAt.reset();
        pendingDuration.reset();
    }

    friend bool operator==(const ScheduledNapController&, const ScheduledNapController&) = default;
};

} // namespace purlo
