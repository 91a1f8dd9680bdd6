#include "model/PurloCompletionStreak.h"

#include "base/Calendar.h"

#include <algorithm>

namespace purlo {
namespace {

std::int64_t incremented(std::int64_t count) {
    return count == INT64_MAX ? count : count + 1;
}

} // namespace

PurloCompletionStreak::Completion
PurloCompletionStreak::recordCompletion(Date date, const Calendar& calendar) {
    const std::int64_t day = calendar.dayIndex(date);
    totalCompletions = incremented(totalCompletions);
    lastCompletionAt = date;
    if (lastCompletionDay == day) {
        if (currentDayCount == 0) {
            currentDayCount = 1;
            bestDayCount = std::max<std::int64_t>(bestDayCount, 1);
        }
        return {currentDayCount, bestDayCount, totalCompletions, false, false};
    }
    const bool followsLastDay =
        lastCompletionDay && *lastCompletionDay != INT64_MAX && *lastCompletionDay + 1 == day;
    currentDayCount = followsLastDay ? incremented(currentDayCount) : 1;
    const std::int64_t previousBest = bestDayCount;
    bestDayCount = std::max(previousBest, currentDayCount);
    lastCompletionDay = day;
    return {currentDayCount, bestDayCount, totalCompletions, true, bestDayCount > previousBest};
}

void to_json(Json& json, const PurloCompletionStreak& streak) {
    json = Json{{"currentDayCount", streak.currentDayCount},
                {"bestDayCount", streak.bestDayCount},
                {"totalCompletions", streak.totalCompletions}};
    if (streak.lastCompletionDay) {
        json["lastCompletionDay"] = *streak.lastCompletionDay;
    }
    if (streak.lastCompletionAt) {
        json["lastCompletionAt"] = *streak.lastCompletionAt;
    }
}

void from_json(const Json& json, PurloCompletionStreak& streak) {
    const JsonFields fields(json);
    streak.currentDayCount = fields.required<std::int64_t>("currentDayCount");
    streak.bestDayCount = fields.required<std::int64_t>("bestDayCount");
    streak.totalCompletions = fields.required<std::int64_t>("totalCompletions");
    streak.lastCompletionDay = fields.optional<std::int64_t>("lastCompletionDay");
    streak.lastCompletionAt = fields.optional<Date>("lastCompletionAt");
}

} // namespace purlo
