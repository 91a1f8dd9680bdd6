#pragma once

#include "base/JsonCoding.h"

#include <cstdint>

namespace purlo {

// The daily hours in which the cat sleeps and stays quiet.
struct QuietHoursSchedule {
    bool enabled = false;
    std::int64_t startHour = 22; // 0...23 meant; readers clamp
    std::int64_t endHour = 7;

    // The hours as every reader uses them: clamped to 0...23.
    std::int64_t clampedStartHour() const;
    std::int64_t clampedEndHour() const;

    // Whether quiet hours are in force at a minute of the day (clamped to 0...1439).
    // The start minute is inside, the end minute outside; equal hours mean all day,
    // and a start after the end wraps past midnight.
    bool isActive(std::int64_t minuteOfDay) const;

    friend bool operator==(const QuietHoursSchedule&, const QuietHoursSchedule&) = default;
};

// {"enabled", "startHour", "endHour"}, all three required.
void to_json(Json& json, const QuietHoursSchedule& quietHours);
void from_json(const Json& json, QuietHoursSchedule& quietHours);

} // namespace purlo
