#pragma once

#include "base/Date.h"
#include "base/JsonCoding.h"

#include <cstdint>
#include <optional>

namespace purlo {

class Calendar;

// The small wins the user logs, counted in days in a row.
struct PurloCompletionStreak {
    std::int64_t currentDayCount = 0;
    std::int64_t bestDayCount = 0;
    std::int64_t totalCompletions = 0;
    std::optional<std::int64_t> lastCompletionDay; // day index in the user's calendar
    std::optional<Date> lastCompletionAt;

    // What one logged win did to the counts.
    struct Completion {
        std::int64_t current = 0;
        std::int64_t best = 0;
        std::int64_t total = 0;
        bool isNewDay = false;  // the first win of its day
        bool isNewBest = false; // the best run grew with it

        friend bool operator==(const Completion&, const Completion&) = default;
    };

    // Logs one win at date. A win the day after the last one extends the run; a later
    // day, or an earlier one after the clock went back, starts a new run. Counts
    // saturate instead of overflowing.
    Completion recordCompletion(Date date, const Calendar& calendar);

    friend bool operator==(const PurloCompletionStreak&, const PurloCompletionStreak&) = default;
};

// The three counts are required; the last day and time are optional.
void to_json(Json& json, const PurloCompletionStreak& streak);
void from_json(const Json& json, PurloCompletionStreak& streak);

} // namespace purlo
