#pragma once

#include <cstdint>
#include <string>

namespace purlo {

// One gentle nudge the user can switch on: water, posture, eyes or their own.
struct PurloHabitReminder {
    std::string id; // "custom" or "custom-..." for the ones the user may delete
    std::string title;
    std::string message;
    std::int64_t intervalMinutes = 60;
    bool enabled = false;

    friend bool operator==(const PurloHabitReminder&, const PurloHabitReminder&) = default;
};

} // namespace purlo
