#pragma once

#include "base/JsonCoding.h"
#include "model/CatLookPresets.h"
#include "model/CatProfile.h"
#include "model/CompanionMessage.h"
#include "model/CompanionPlacement.h"
#include "model/CompanionPresence.h"
#include "model/PurloCompletionStreak.h"
#include "model/PurloHabitReminder.h"
#include "model/PurloNap.h"
#include "model/PurloPhrasePack.h"
#include "model/QuietHoursSchedule.h"
#include "model/ScheduledNapSchedule.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace purlo {

class KeyValueStore;
class NaturalOrder;
struct PurloSettingsLoadResult;

// Every choice the user can make. A plain value: copy it, change the copy, write
// it back to the runtime. Numbers are stored as given; whoever reads one applies
// the range it needs.
struct PurloSettings {
    bool eyeTrackingEnabled = true;
    bool reactionsEnabled = true;
    bool typingReactionsEnabled = true;
    bool activeAppAwarenessEnabled = true;
    bool localAgentBridgeEnabled = true;
    bool hasCompletedFirstRunOnboarding = false;
    PurloNap nap;
    std::int64_t stretchReminderMinutes = 45;
    std::vector<PurloHabitReminder> habitReminders = builtInHabitReminders();
    PurloCompletionStreak completionStreak;
    std::int64_t kindNudgeMinutes = 120; // below 1: off
    std::int64_t pomodoroFocusMinutes = 25;
    std::int64_t pomodoroBreakMinutes = 5;
    double reactionIntensity = 0.72;
    CatSkinPreset skin = CatSkinPreset::tuxedo;
    CatPatternPreset pattern = CatPatternPreset::tuxedo;
    CatEyeColorPreset eyeColor = CatEyeColorPreset::honey;
    CatAccessoryPreset accessory = CatAccessoryPreset::none;
    double companionScale = 1.0;
    PurloPhrasePack phrasePack = PurloPhrasePack::soft;
    QuietHoursSchedule quietHours;
    ScheduledNapSchedule scheduledNap;
    std::string userName;
    std::string companionName = "Purlo";
    std::string pinnedMessage;
    std::vector<CatProfile> savedCatProfiles;
    CompanionPresenceMode companionPresenceMode = CompanionPresenceMode::floatAboveApps;
    CompanionMovementMode companionMovementMode = CompanionMovementMode::freeRange;
    std::int64_t companionEdgePadding = 8;
    std::optional<CompanionPlacement> companionPlacement;

    static std::vector<PurloHabitReminder> builtInHabitReminders() {
        return {
            {"water", "Water", "sip water?", 90, false},
            {"posture", "Posture", "uncurl shoulders?", 60, false},
            {"eyes", "Eyes", "look far away?", 45, false},
            {"custom", "Gentle nudge", "tiny reset?", 60, false},
        };
    }

    // Whether quiet hours are in force at a local minute of the day.
    bool isQuietHoursActive(std::int64_t minuteOfDay) const;
    // The pinned note as the bubble shows it: trimmed, nothing when blank.
    std::optional<CompanionMessage> trimmedPinnedMessage() const;
    // The reminders that can fire: enabled, with a message that is not blank; in
    // stored order and as stored.
    std::vector<PurloHabitReminder> activeHabitReminders() const;
    // "Off", or "Every N minutes" with the interval the reminders actually use.
    std::string kindNudgeLabel() const;

    // Saves the current look under name, replacing a look of the same identity, and
    // keeps the saved looks sorted by name in the user's order.
    void saveCurrentLookAsProfile(std::string_view name, const NaturalOrder& order);
    // Deletes every reminder with that id, when it is one the user may delete.
    void removeCustomHabitReminder(std::string_view id);

    // The stored settings, recovered from the backup or reset to the defaults when the
    // stored value cannot be read or decoded (see PurloSettingsStore.h). Never fails.
    static PurloSettingsLoadResult load(KeyValueStore& store);
    // Stores settings, keeping the bytes they replace as the backup when those decode.
    // The reason when the value cannot be encoded (invalid_argument) or written; the
    // stored keys then keep what they held.
    static std::error_code save(const PurloSettings& settings, KeyValueStore& store);

    // Field by field in declaration order, false at the first difference; texts as a
    // reader sees them (canonically equivalent), so a name typed with a combining accent
    // equals the same name typed with the accented letter.
    friend bool operator==(const PurloSettings& left, const PurloSettings& right);
};

// Every key is optional and takes its default; a present value of the wrong form
// fails the whole value. Nothing is clamped or repaired on the way in.
void to_json(Json& json, const PurloSettings& settings);
void from_json(const Json& json, PurloSettings& settings);

// Whether an object names any key the settings are stored under, a former one included.
// One that names none (an empty object, another program's file) holds no settings at all.
bool namesAnySettingsKey(const Json& object);

} // namespace purlo
