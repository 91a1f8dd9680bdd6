#include "model/PurloSettings.h"

#include "model/UnicodeText.h"

#include <algorithm>
#include <iterator>

namespace purlo {

bool PurloSettings::isQuietHoursActive(std::int64_t minuteOfDay) const {
    return quietHours.isActive(minuteOfDay);
}

std::optional<CompanionMessage> PurloSettings::trimmedPinnedMessage() const {
    std::string text = trimmedWhitespace(pinnedMessage);
    if (text.empty()) {
        return std::nullopt;
    }
    return CompanionMessage{std::move(text), CompanionMessage::Kind::soft};
}

std::vector<PurloHabitReminder> PurloSettings::activeHabitReminders() const {
    std::vector<PurloHabitReminder> active;
    std::copy_if(habitReminders.begin(), habitReminders.end(), std::back_inserter(active),
                 [](const PurloHabitReminder& reminder) {
                     return reminder.enabled && !trimmedWhitespace(reminder.message).empty();
                 });
    return active;
}

std::string PurloSettings::kindNudgeLabel() const {
    if (kindNudgeMinutes < 1) {
        return "Off";
    }
    // The same range the reminder scheduler applies, so the label names the real interval.
    const std::int64_t minutes = std::clamp<std::int64_t>(kindNudgeMinutes, 30, 240);
    return "Every " + std::to_string(minutes) + " minutes";
}

void PurloSettings::saveCurrentLookAsProfile(std::string_view name) {
    const std::string sanitized = CatProfile::sanitizedName(name);
    const CatProfile look{
        CatProfile::identifier(sanitized),        sanitized, skin, pattern, eyeColor, accessory,
        CatProfile::clampedScale(companionScale), phrasePack};
    const auto existing =
        std::find_if(savedCatProfiles.begin(), savedCatProfiles.end(),
                     [&](const CatProfile& profile) { return profile.id == look.id; });
    if (existing != savedCatProfiles.end()) {
        *existing = look;
    } else {
        savedCatProfiles.push_back(look);
    }
    std::stable_sort(savedCatProfiles.begin(), savedCatProfiles.end(),
                     [](const CatProfile& left, const CatProfile& right) {
                         return naturalCompare(left.name, right.name) < 0;
                     });
}

void PurloSettings::removeCustomHabitReminder(std::string_view id) {
    if (!PurloHabitReminder::isCustomIdentifier(id)) {
        return;
    }
    std::erase_if(habitReminders,
                  [&](const PurloHabitReminder& reminder) { return reminder.id == id; });
}

} // namespace purlo
