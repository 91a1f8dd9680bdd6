#pragma once

// moc reads this header for the Qt classes that include it, and cannot parse <compare>
// unless the library's configuration came first, as <version> brings it in.
// clang-format off
#include <version>
#include <chrono>
#include <compare>
// clang-format on

namespace purlo {

// A wall-clock instant. Stored as seconds since 2001-01-01 00:00:00 UTC, which is
// how dates travel in the settings JSON and in the key-value store.
struct Date {
    // Seconds between the Unix epoch and 2001-01-01 00:00:00 UTC.
    static constexpr double referenceDateUnixSeconds = 978307200.0;

    double secondsSinceReferenceDate = 0;

    static constexpr Date fromUnixSeconds(double seconds) {
        return Date{seconds - referenceDateUnixSeconds};
    }
    static Date fromSystemClock(std::chrono::system_clock::time_point instant) {
        const std::chrono::duration<double> sinceEpoch = instant.time_since_epoch();
        return fromUnixSeconds(sinceEpoch.count());
    }

    constexpr double unixSeconds() const {
        return secondsSinceReferenceDate + referenceDateUnixSeconds;
    }
    constexpr Date addingSeconds(double seconds) const {
        return Date{secondsSinceReferenceDate + seconds};
    }
    // Seconds from other to this date; negative when other is later.
    constexpr double secondsSince(Date other) const {
        return secondsSinceReferenceDate - other.secondsSinceReferenceDate;
    }

    friend constexpr auto operator<=>(const Date&, const Date&) = default;
};

} // namespace purlo
