#pragma once

#include "model/PurloNap.h"

#include <cstdint>
#include <optional>
#include <string>

namespace purlo {

// The nap the cat invites the user to once a day.
struct ScheduledNapSchedule {
    bool enabled = false;
    std::int64_t hour = 15;
    std::int64_t minute = 0;
    PurloNapDuration duration = PurloNapDuration::twentyMinutes;
    bool weekdaysOnly = true;
    std::optional<std::string> lastFiredDay; // "2026-03-07"

    friend bool operator==(const ScheduledNapSchedule&, const ScheduledNapSchedule&) = default;
};

} // namespace purlo
