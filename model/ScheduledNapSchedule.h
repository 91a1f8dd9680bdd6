#pragma once

#include "base/JsonCoding.h"
#include "model/PurloNap.h"
#include "model/QuietHoursSchedule.h"

#include <cstdint>
#include <optional>
#include <string>

namespace purlo {

class Calendar;

// The nap the cat invites the user to once a day.
struct ScheduledNapSchedule {
    bool enabled = false;
    std::int64_t hour = 15;
    std::int64_t minute = 0;
    PurloNapDuration duration = PurloNapDuration::twentyMinutes;
    bool weekdaysOnly = true;
    std::optional<std::string> lastFiredDay; // "2026-03-07"

    // When the nap falls on day's date; nothing on a weekend when it keeps to
    // weekdays. A time skipped by a clock change moves to the next time that exists.
    std::optional<Date> fireDate(Date day, const Calendar& calendar) const;
    // The day key kept in lastFiredDay: "%04d-%02d-%02d" of date's year, month and day.
    static std::string dayKey(Date date, const Calendar& calendar);

    // The nap's minute of the day, hour clamped to 0...23 and minute to 0...59.
    std::int64_t clampedMinuteOfDay() const;
    // Whether the nap falls inside quiet hours, when the cat sleeps anyway.
    bool overlapsQuietHours(const QuietHoursSchedule& quietHours) const;

    friend bool operator==(const ScheduledNapSchedule&, const ScheduledNapSchedule&) = default;
};

// Every key may be missing and takes the default's value. A duration that is not one
// of the nap lengths falls back to twenty minutes; any other wrong type fails.
void to_json(Json& json, const ScheduledNapSchedule& schedule);
void from_json(const Json& json, ScheduledNapSchedule& schedule);

} // namespace purlo
