#include "model/ScheduledNapSchedule.h"

#include "base/Calendar.h"

#include <algorithm>

namespace purlo {
namespace {

// A stored duration nobody can choose any more still gives a nap of the usual length.
PurloNapDuration tolerantDuration(const JsonFields& fields) {
    const Json* stored = fields.find("duration");
    if (!stored) {
        return PurloNapDuration::twentyMinutes;
    }
    try {
        return decodeValue<PurloNapDuration>(*stored);
    } catch (const DecodeError&) {
        return PurloNapDuration::twentyMinutes;
    }
}

} // namespace

std::optional<Date> ScheduledNapSchedule::fireDate(Date day, const Calendar& calendar) const {
    if (weekdaysOnly && calendar.isWeekend(day)) {
        return std::nullopt;
    }
    return calendar.dateOnSameDay(day, static_cast<int>(std::clamp<std::int64_t>(hour, 0, 23)),
                                  static_cast<int>(std::clamp<std::int64_t>(minute, 0, 59)));
}

std::string ScheduledNapSchedule::dayKey(Date date, const Calendar& calendar) {
    return calendar.dayKey(date);
}

std::int64_t ScheduledNapSchedule::clampedMinuteOfDay() const {
    return std::clamp<std::int64_t>(hour, 0, 23) * 60 + std::clamp<std::int64_t>(minute, 0, 59);
}

bool ScheduledNapSchedule::overlapsQuietHours(const QuietHoursSchedule& quietHours) const {
    return quietHours.isActive(clampedMinuteOfDay());
}

void to_json(Json& json, const ScheduledNapSchedule& schedule) {
    json = Json{{"enabled", schedule.enabled},
                {"hour", schedule.hour},
                {"minute", schedule.minute},
                {"duration", schedule.duration},
                {"weekdaysOnly", schedule.weekdaysOnly}};
    if (schedule.lastFiredDay) {
        json["lastFiredDay"] = *schedule.lastFiredDay;
    }
}

void from_json(const Json& json, ScheduledNapSchedule& schedule) {
    const JsonFields fields(json);
    const ScheduledNapSchedule defaults;
    schedule.enabled = fields.value("enabled", defaults.enabled);
    schedule.hour = fields.value("hour", defaults.hour);
    schedule.minute = fields.value("minute", defaults.minute);
    schedule.duration = tolerantDuration(fields);
    schedule.weekdaysOnly = fields.value("weekdaysOnly", defaults.weekdaysOnly);
    schedule.lastFiredDay = fields.optional<std::string>("lastFiredDay");
}

} // namespace purlo
