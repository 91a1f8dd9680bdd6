#include "model/PurloHabitReminder.h"

namespace purlo {

bool PurloHabitReminder::isCustomIdentifier(std::string_view id) {
    return id == "custom" || id.starts_with("custom-");
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
