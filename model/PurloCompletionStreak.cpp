#include "model/PurloCompletionStreak.h"

namespace purlo {

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
