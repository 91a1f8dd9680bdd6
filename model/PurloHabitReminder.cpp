#include "model/PurloHabitReminder.h"

#include "base/UnicodeText.h"

namespace purlo {

bool PurloHabitReminder::isCustomIdentifier(std::string_view id) {
    return id == "custom" || id.starts_with("custom-");
}

bool operator==(const PurloHabitReminder& left, const PurloHabitReminder& right) {
    return canonicallyEqual(left.id, right.id) && canonicallyEqual(left.title, right.title) &&
           canonicallyEqual(left.message, right.message) &&
           left.intervalMinutes == right.intervalMinutes && left.enabled == right.enabled;
}

void to_json(Json& json, const PurloHabitReminder& reminder) {
    json = Json{{"id", reminder.id},
                {"title", reminder.title},
                {"message", reminder.message},
                {"interval", reminder.intervalMinutes},
                {"enabled", reminder.enabled}};
}

void from_json(const Json& json, PurloHabitReminder& reminder) {
    const JsonFields fields(json);
    reminder.id = fields.required<std::string>("id");
    reminder.title = fields.required<std::string>("title");
    reminder.message = fields.required<std::string>("message");
    reminder.intervalMinutes = fields.required<std::int64_t>("interval");
    reminder.enabled = fields.required<bool>("enabled");
}

} // namespace purlo
