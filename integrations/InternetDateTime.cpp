#include "integrations/InternetDateTime.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace purlo {

std::string internetDateTime(Date date) {
    using namespace std::chrono;
    // Years 0001 to 9999, the range the form has four digits for; a clock beyond it
    // is pinned to its end rather than overflowing.
    constexpr double earliest = -62135596800.0; // 0001-01-01T00:00:00Z
    constexpr double latest = 253402300799.0;   // 9999-12-31T23:59:59Z
    const double unix = date.unixSeconds();
    const double clamped = std::isnan(unix) ? 0 : std::fmin(std::fmax(unix, earliest), latest);
    const sys_seconds instant{seconds(static_cast<std::int64_t>(std::floor(clamped)))};
    const sys_days day = floor<days>(instant);
    const year_month_day calendar(day);
    const hh_mm_ss time(instant - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(calendar.year()),
                  unsigned(calendar.month()), unsigned(calendar.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return text;
}

} // namespace purlo
