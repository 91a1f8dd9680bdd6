#include "model/QuietHoursSchedule.h"

#include <algorithm>

namespace purlo {

std::int64_t QuietHoursSchedule::clampedStartHour() const {
    return std::clamp<std::int64_t>(startHour, 0, 23);
}

std::int64_t QuietHoursSchedule::clampedEndHour() const {
    return std::clamp<std::int64_t>(endHour, 0, 23);
}

bool QuietHoursSchedule::isActive(std::int64_t minuteOfDay) const {
    if (!enabled) {
        return false;
    }
    const std::int64_t start = clampedStartHour() * 60;
    const std::int64_t end = clampedEndHour() * 60;
    if (start == end) {
        return true;
    }
    const std::int64_t minute = std::clamp<std::int64_t>(minuteOfDay, 0, 1439);
    if (start < end) {
        return start <= minute && minute < end;
    }
    return minute >= start || minute < end;
}

void to_json(Json& json, const QuietHoursSchedule& quietHours) {
    json = Json{{"enabled", quietHours.enabled},
                {"startHour", quietHours.startHour},
                {"endHour", quietHours.endHour}};
}

void from_json(const Json& json, QuietHoursSchedule& quietHours) {
    const JsonFields fields(json);
    quietHours.enabled = fields.required<bool>("enabled");
    quietHours.startHour = fields.required<std::int64_t>("startHour");
    quietHours.endHour = fields.required<std::int64_t>("endHour");
}

} // namespace purlo
