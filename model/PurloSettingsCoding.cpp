#include "model/PurloSettings.h"

#include <algorithm>

namespace purlo {
namespace {

// What earlier versions called eye tracking.
constexpr std::string_view formerEyeTrackingKey = "followsCursor";

} // namespace

void to_json(Json& json, const PurloSettings& settings) {
    json = Json::object();
    json["eyeTrackingEnabled"] = settings.eyeTrackingEnabled;
    json["reactionsEnabled"] = settings.reactionsEnabled;
    json["typingReactionsEnabled"] = settings.typingReactionsEnabled;
    json["activeAppAwarenessEnabled"] = settings.activeAppAwarenessEnabled;
    json["localAgentBridgeEnabled"] = settings.localAgentBridgeEnabled;
    json["hasCompletedFirstRunOnboarding"] = settings.hasCompletedFirstRunOnboarding;
    json["nap"] = settings.nap;
    json["stretchReminderMinutes"] = settings.stretchReminderMinutes;
    json["habitReminders"] = settings.habitReminders;
    json["completionStreak"] = settings.completionStreak;
    json["kindNudgeMinutes"] = settings.kindNudgeMinutes;
    json["pomodoroFocusMinutes"] = settings.pomodoroFocusMinutes;
    json["pomodoroBreakMinutes"] = settings.pomodoroBreakMinutes;
    json["reactionIntensity"] = settings.reactionIntensity;
    json["skin"] = settings.skin;
    json["pattern"] = settings.pattern;
    json["eyeColor"] = settings.eyeColor;
    json["accessory"] = settings.accessory;
    json["companionScale"] = settings.companionScale;
    json["phrasePack"] = settings.phrasePack;
    json["quietHours"] = settings.quietHours;
    json["scheduledNap"] = settings.scheduledNap;
    json["userName"] = settings.userName;
    json["companionName"] = settings.companionName;
    json["pinnedMessage"] = settings.pinnedMessage;
    json["savedCatProfiles"] = settings.savedCatProfiles;
    json["companionPresenceMode"] = settings.companionPresenceMode;
    json["companionMovementMode"] = settings.companionMovementMode;
    json["companionEdgePadding"] = settings.companionEdgePadding;
    if (settings.companionPlacement) {
        json["companionPlacement"] = *settings.companionPlacement;
    }
}

void from_json(const Json& json, PurloSettings& settings) {
    const JsonFields fields(json);
    const PurloSettings defaults;
    PurloSettings decoded;

    // Older values called eye tracking "followsCursor". It is read first, so a
    // malformed one fails the value even beside a good "eyeTrackingEnabled".
    const bool legacyEyeTracking = fields.value(formerEyeTrackingKey, defaults.eyeTrackingEnabled);
    decoded.eyeTrackingEnabled = fields.value("eyeTrackingEnabled", legacyEyeTracking);
    decoded.reactionsEnabled = fields.value("reactionsEnabled", defaults.reactionsEnabled);
    decoded.typingReactionsEnabled =
        fields.value("typingReactionsEnabled", defaults.typingReactionsEnabled);
    decoded.activeAppAwarenessEnabled =
        fields.value("activeAppAwarenessEnabled", defaults.activeAppAwarenessEnabled);
    decoded.localAgentBridgeEnabled =
        fields.value("localAgentBridgeEnabled", defaults.localAgentBridgeEnabled);
    decoded.hasCompletedFirstRunOnboarding =
        fields.value("hasCompletedFirstRunOnboarding", defaults.hasCompletedFirstRunOnboarding);
    decoded.nap = fields.value("nap", defaults.nap);

    decoded.stretchReminderMinutes =
        fields.value("stretchReminderMinutes", defaults.stretchReminderMinutes);
    // A stored list, even an empty one, is the user's list: the built-ins stay out.
    decoded.habitReminders = fields.value("habitReminders", defaults.habitReminders);
    decoded.completionStreak = fields.value("completionStreak", defaults.completionStreak);
    decoded.kindNudgeMinutes = fields.value("kindNudgeMinutes", defaults.kindNudgeMinutes);
    decoded.pomodoroFocusMinutes =
        fields.value("pomodoroFocusMinutes", defaults.pomodoroFocusMinutes);
    decoded.pomodoroBreakMinutes =
        fields.value("pomodoroBreakMinutes", defaults.pomodoroBreakMinutes);
    decoded.quietHours = fields.value("quietHours", defaults.quietHours);
    decoded.scheduledNap = fields.value("scheduledNap", defaults.scheduledNap);

    // A value that names the fur (a "skin" key, even a null one) but not the coat or
    // the eyes gets the plain classic coat and cocoa eyes; only a value naming none of
    // the look gets the full default tuxedo look.
    const bool namesTheFur = fields.containsKey("skin");
    const CatPatternPreset patternFallback =
        namesTheFur ? CatPatternPreset::classic : defaults.pattern;
    const CatEyeColorPreset eyeColorFallback =
        namesTheFur ? CatEyeColorPreset::cocoa : defaults.eyeColor;
    decoded.reactionIntensity = fields.value("reactionIntensity", defaults.reactionIntensity);
    decoded.skin = fields.value("skin", defaults.skin);
    decoded.pattern = fields.value("pattern", patternFallback);
    decoded.eyeColor = fields.value("eyeColor", eyeColorFallback);
    decoded.accessory = fields.value("accessory", defaults.accessory);
    decoded.companionScale = fields.value("companionScale", defaults.companionScale);

    decoded.phrasePack = fields.value("phrasePack", defaults.phrasePack);
    decoded.userName = fields.value("userName", defaults.userName);
    decoded.companionName = fields.value("companionName", defaults.companionName);
    decoded.pinnedMessage = fields.value("pinnedMessage", defaults.pinnedMessage);
    decoded.savedCatProfiles = fields.value("savedCatProfiles", defaults.savedCatProfiles);
    decoded.companionPresenceMode =
        fields.value("companionPresenceMode", defaults.companionPresenceMode);
    decoded.companionMovementMode =
        fields.value("companionMovementMode", defaults.companionMovementMode);
    decoded.companionEdgePadding =
        fields.value("companionEdgePadding", defaults.companionEdgePadding);
    decoded.companionPlacement = fields.optional<CompanionPlacement>("companionPlacement");

    settings = std::move(decoded);
}

bool namesAnySettingsKey(const Json& object) {
    // Every key the settings are written under: the placement only exists once set.
    PurloSettings everything;
    everything.companionPlacement = CompanionPlacement{};
    const Json known = everything;
    return std::ranges::any_of(object.items(), [&](const auto& item) {
        return item.key() == formerEyeTrackingKey || known.contains(item.key());
    });
}

} // namespace purlo
