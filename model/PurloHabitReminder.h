#pragma once

#include "base/JsonCoding.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace purlo {

// One gentle nudge the user can switch on: water, posture, eyes or their own.
struct PurloHabitReminder {
    std::string id; // "custom" or "custom-..." for the ones the user may delete
    std::string title;
    std::string message;
    std::int64_t intervalMinutes = 60;
    bool enabled = false;

    // Whether id names a reminder the user may delete: exactly "custom", or
    // beginning with "custom-".
    static bool isCustomIdentifier(std::string_view id);

    // Field by field, texts as a reader sees them (canonically equivalent).
    friend bool operator==(const PurloHabitReminder& left, const PurloHabitReminder& right);
};

// {"id", "title", "message", "interval", "enabled"}, all five required.
void to_json(Json& json, const PurloHabitReminder& reminder);
void from_json(const Json& json, PurloHabitReminder& reminder);

} // namespace purlo
