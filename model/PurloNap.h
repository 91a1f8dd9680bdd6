#pragma once

#include "base/Date.h"
#include "base/JsonCoding.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace purlo {

// The lengths a nap can be chosen for; the raw value is the number of minutes.
enum class PurloNapDuration : std::int64_t {
    fifteenMinutes = 15,
    twentyMinutes = 20,
    thirtyMinutes = 30,
    oneHour = 60,
};

// Every duration, in the order the nap menu lists them.
inline constexpr std::array<PurloNapDuration, 4> allNapDurations{
    PurloNapDuration::fifteenMinutes, PurloNapDuration::twentyMinutes,
    PurloNapDuration::thirtyMinutes, PurloNapDuration::oneHour};

constexpr std::int64_t rawValue(PurloNapDuration duration) {
    return static_cast<std::int64_t>(duration);
}

// The duration of that many minutes; nothing for any other number.
constexpr std::optional<PurloNapDuration> napDuration(std::int64_t minutes) {
    for (const PurloNapDuration duration : allNapDurations) {
        if (rawValue(duration) == minutes) {
            return duration;
        }
    }
    return std::nullopt;
}

// A duration travels as its number of minutes.
void to_json(Json& json, PurloNapDuration duration);
void from_json(const Json& json, PurloNapDuration& duration);

// The current nap: none, until a time, or until the user wakes her.
struct PurloNap {
    // The end of a nap that lasts until the user wakes her.
    static constexpr Date distantFuture{63113904000.0};

    std::optional<Date> until;

    bool isIndefinite() const { return until == distantFuture; }
    // Napping at now: the nap ends later.
    bool isActive(Date now) const { return until && *until > now; }
    // The time left as the menu shows it ("7m", "1h", "1h 5m"); nothing when the nap
    // is over or there is none.
    std::optional<std::string> remainingLabel(Date now) const;

    friend bool operator==(const PurloNap&, const PurloNap&) = default;
};

// {"until": date}, the key only while a nap is set.
void to_json(Json& json, const PurloNap& nap);
void from_json(const Json& json, PurloNap& nap);

} // namespace purlo
