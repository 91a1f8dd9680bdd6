#include "model/PurloSettings.h"

#include "base/NaturalOrder.h"
#include "base/UnicodeText.h"

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

void PurloSettings::saveCurrentLookAsProfile(std::string_view name, const NaturalOrder& order) {
    const std::string sanitized = CatProfile::sanitizedName(name);
    const CatProfile look{
        CatProfile::identifier(sanitized),        sanitized, skin, pattern, eyeColor, accessory,
        CatProfile::clampedScale(companionScale), phrasePack};
    const auto existing = std::find_if(
        savedCatProfiles.begin(), savedCatProfiles.end(),
        [&](const CatProfile& profile) { return canonicallyEqual(profile.id, look.id); });
    if (existing != savedCatProfiles.end()) {
        *existing = look;
    } else {
        savedCatProfiles.push_back(look);
    }
    std::stable_sort(savedCatProfiles.begin(), savedCatProfiles.end(),
                     [&order](const CatProfile& left, const CatProfile& right) {
                         return order.compare(left.name, right.name) < 0;
                     });
}

bool operator==(const PurloSettings& left, const PurloSettings& right) {
    return left.eyeTrackingEnabled == right.eyeTrackingEnabled &&
           left.reactionsEnabled == right.reactionsEnabled &&
           left.typingReactionsEnabled == right.typingReactionsEnabled &&
           left.activeAppAwarenessEnabled == right.activeAppAwarenessEnabled &&
           left.localAgentBridgeEnabled == right.localAgentBridgeEnabled &&
           left.hasCompletedFirstRunOnboarding == right.hasCompletedFirstRunOnboarding &&
           left.nap == right.nap && left.stretchReminderMinutes == right.stretchReminderMinutes &&
           left.habitReminders == right.habitReminders &&
           left.completionStreak == right.completionStreak &&
           left.kindNudgeMinutes == right.kindNudgeMinutes &&
           left.pomodoroFocusMinutes == right.pomodoroFocusMinutes &&
           left.pomodoroBreakMinutes == right.pomodoroBreakMinutes &&
           left.reactionIntensity == right.reactionIntensity && left.skin == right.skin &&
           left.pattern == right.pattern && left.eyeColor == right.eyeColor &&
           left.accessory == right.accessory && left.companionScale == right.companionScale &&
           left.phrasePack == right.phrasePack && left.quietHours == right.quietHours &&
           left.scheduledNap == right.scheduledNap &&
           canonicallyEqual(left.userName, right.userName) &&
           canonicallyEqual(left.companionName, right.companionName) &&
           canonicallyEqual(left.pinnedMessage, right.pinnedMessage) &&
           left.savedCatProfiles == right.savedCatProfiles &&
           left.companionPresenceMode == right.companionPresenceMode &&
           left.companionMovementMode == right.companionMovementMode &&
           left.companionEdgePadding == right.companionEdgePadding &&
           left.companionPlacement == right.companionPlacement;
}

void PurloSettings::removeCustomHabitReminder(std::string_view id) {
    if (!PurloHabitReminder::isCustomIdentifier(id)) {
        return;
    }
    std::erase_if(habitReminders,
                  [&](const PurloHabitReminder& reminder) { return reminder.id == id; });
}

} // namespace purlo
