#pragma once

#include "model/Date.h"
#include "model/JsonCoding.h"

#include <cstdint>
#include <optional>

namespace purlo {

// The small wins the user logs, counted in days in a row.
struct PurloCompletionStreak {
    std::int64_t currentDayCount = 0;
    std::int64_t bestDayCount = 0;
    std::int64_t totalCompletions = 0;
    std::optional<std::int64_t> lastCompletionDay; // day index in the user's calendar
    std::optional<Date> lastCompletionAt;

    friend bool operator==(const PurloCompletionStreak&, const PurloCompletionStreak&) = default;
};

// The three counts are required; the last day and time are optional.
void to_json(Json& json, const PurloCompletionStreak& streak);
void from_json(const Json& json, PurloCompletionStreak& streak);

} // namespace purlo
