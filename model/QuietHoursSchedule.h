#pragma once

#include <cstdint>

namespace purlo {

// The daily hours in which the cat sleeps and stays quiet.
struct QuietHoursSchedule {
    bool enabled = false;
    std::int64_t startHour = 22; // 0...23 meant; readers clamp
    std::int64_t endHour = 7;

    friend bool operator==(const QuietHoursSchedule&, const QuietHoursSchedule&) = default;
};

} // namespace purlo
