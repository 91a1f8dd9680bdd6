#pragma once

#include "model/Date.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace purlo {

// The lengths a nap can be chosen for, in minutes.
enum class PurloNapDuration : std::int64_t {
    fifteenMinutes = 15,
    twentyMinutes = 20,
    thirtyMinutes = 30,
    oneHour = 60,
};

// The current nap: none, until a time, or until the user wakes her.
struct PurloNap {
    // The end of a nap that lasts until the user wakes her.
    static constexpr Date distantFuture{63113904000.0};

    std::optional<Date> until;

    friend bool operator==(const PurloNap&, const PurloNap&) = default;
};

} // namespace purlo
