#include "model/PurloSettings.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

std::optional<PurloSettings> decode(std::string_view bytes) {
    return decodeBytes(bytes, [](const Json& json) { return decodeValue<PurloSettings>(json); });
}

PurloSettings decoded(std::string_view bytes) {
    const auto settings = decode(bytes);
    EXPECT_TRUE(settings) << bytes;
    return settings.value_or(PurloSettings{});
}

// A value with no field left at its default.
PurloSettings unusualSettings() {
    PurloSettings settings;
    settings.eyeTrackingEnabled = false;
    settings.reactionsEnabled = false;
    settings.typingReactionsEnabled = false;
    settings.activeAppAwarenessEnabled = false;
    settings.localAgentBridgeEnabled = false;
    settings.hasCompletedFirstRunOnboarding = true;
    settings.nap.until = Date{795000000.25};
    settings.stretchReminderMinutes = -3;
    settings.habitReminders = {{"custom-1", "Tea", "brew tea? \u2615", 25, true}};
    settings.completionStreak = {4, 9, 31, 739000, Date{794999999.5}};
    settings.kindNudgeMinutes = INT64_MAX;
    settings.pomodoroFocusMinutes = INT64_MIN;
    settings.pomodoroBreakMinutes = 0;
    settings.reactionIntensity = 0.1 + 0.2;
    settings.skin = CatSkinPreset::midnight;
    settings.pattern = CatPatternPreset::socks;
    settings.eyeColor = CatEyeColorPreset::violet;
    settings.accessory = CatAccessoryPreset::tie;
    settings.companionScale = 1e-300;
    settings.phrasePack = PurloPhrasePack::quiet;
    settings.quietHours = {true, -1, 40};
    settings.scheduledNap = {true, 13, 45, PurloNapDuration::oneHour, false, "2026-03-07"};
    settings.userName = "Zoë";
    settings.companionName = "  ";
    settings.pinnedMessage = "back at 3\n";
    settings.savedCatProfiles = {{"mochi", "Mochi", CatSkinPreset::gray, CatPatternPreset::mask,
                                  CatEyeColorPreset::sky, CatAccessoryPreset::scarf, 0.8,
                                  PurloPhrasePack::focused}};
    settings.companionPresenceMode = CompanionPresenceMode::autoHideWhenAppsActive;
    settings.companionMovementMode = CompanionMovementMode::stayPut;
    settings.companionEdgePadding = 500;
    settings.companionPlacement = CompanionPlacement{-120.5, 33.25};
    return settings;
}

TEST(PurloSettingsCoding, EmptyObjectIsTheDefaults) {
    EXPECT_EQ(decoded("{}"), PurloSettings{});
    EXPECT_EQ(decoded(R"({"unknownKey": [1, 2], "nap": null, "quietHours": null})"),
              PurloSettings{});
}

TEST(PurloSettingsCoding, RoundTripsEveryField) {
    for (const PurloSettings& settings : {PurloSettings{}, unusualSettings()}) {
        const auto bytes = encodeBytes(Json(settings));
        ASSERT_TRUE(bytes);
        EXPECT_EQ(decode(*bytes), settings) << *bytes;
    }
}

TEST(PurloSettingsCoding, KeysAsStored) {
    const Json json = unusualSettings();
    EXPECT_EQ(json.size(), 30u);
    EXPECT_EQ(json["nap"].dump(), R"({"until":795000000.25})");
    EXPECT_EQ(json["scheduledNap"].dump(), R"({"duration":60,"enabled":true,"hour":13,)"
                                           R"("lastFiredDay":"2026-03-07","minute":45,)"
                                           R"("weekdaysOnly":false})");
    EXPECT_EQ(json["completionStreak"].dump(),
              R"({"bestDayCount":9,"currentDayCount":4,"lastCompletionAt":794999999.5,)"
              R"("lastCompletionDay":739000,"totalCompletions":31})");
    EXPECT_EQ(json["habitReminders"][0].dump(), R"({"enabled":true,"id":"custom-1",)"
                                                R"("interval":25,"message":"brew tea? ☕",)"
                                                R"("title":"Tea"})");
    EXPECT_EQ(json["quietHours"].dump(), R"({"enabled":true,"endHour":40,"startHour":-1})");
    const Json defaults = PurloSettings{};
    EXPECT_FALSE(defaults.contains("companionPlacement"));
    EXPECT_EQ(defaults["nap"].dump(), "{}");
    EXPECT_FALSE(defaults["scheduledNap"].contains("lastFiredDay"));
}

TEST(PurloSettingsCoding, LegacyFollowsCursor) {
    EXPECT_FALSE(decoded(R"({"followsCursor": false})").eyeTrackingEnabled);
    EXPECT_TRUE(
        decoded(R"({"followsCursor": false, "eyeTrackingEnabled": true})").eyeTrackingEnabled);
    EXPECT_FALSE(
        decoded(R"({"followsCursor": true, "eyeTrackingEnabled": false})").eyeTrackingEnabled);
    EXPECT_TRUE(decoded(R"({"followsCursor": null})").eyeTrackingEnabled);
    EXPECT_FALSE(decode(R"({"followsCursor": "no", "eyeTrackingEnabled": true})"));
    EXPECT_FALSE(Json(decoded(R"({"followsCursor": false})")).contains("followsCursor"));
}

TEST(PurloSettingsCoding, AnySkinKeySwitchesTheLookFallbacks) {
    struct Case {
        std::string json;
        CatSkinPreset skin;
        CatPatternPreset pattern;
        CatEyeColorPreset eyeColor;
    };
    const Case cases[] = {
        {"{}", CatSkinPreset::tuxedo, CatPatternPreset::tuxedo, CatEyeColorPreset::honey},
        {R"({"skin": "orange"})", CatSkinPreset::orange, CatPatternPreset::classic,
         CatEyeColorPreset::cocoa},
        {R"({"skin": null})", CatSkinPreset::tuxedo, CatPatternPreset::classic,
         CatEyeColorPreset::cocoa},
        {R"({"skin": "orange", "pattern": "spots"})", CatSkinPreset::orange,
         CatPatternPreset::spots, CatEyeColorPreset::cocoa},
        {R"({"pattern": null, "eyeColor": "mint"})", CatSkinPreset::tuxedo,
         CatPatternPreset::tuxedo, CatEyeColorPreset::mint},
    };
    for (const auto& c : cases) {
        const PurloSettings settings = decoded(c.json);
        EXPECT_EQ(settings.skin, c.skin) << c.json;
        EXPECT_EQ(settings.pattern, c.pattern) << c.json;
        EXPECT_EQ(settings.eyeColor, c.eyeColor) << c.json;
    }
}

TEST(PurloSettingsCoding, StoredReminderListReplacesTheBuiltIns) {
    EXPECT_TRUE(decoded(R"({"habitReminders": []})").habitReminders.empty());
    EXPECT_EQ(decoded(R"({"habitReminders": null})").habitReminders,
              PurloSettings::builtInHabitReminders());
    const auto one = decoded(R"({"habitReminders": [{"id": "custom-1", "title": "T",
        "message": "m", "interval": 5, "enabled": true}]})");
    EXPECT_EQ(one.habitReminders,
              (std::vector<PurloHabitReminder>{{"custom-1", "T", "m", 5, true}}));
}

TEST(PurloSettingsCoding, OutOfRangeNumbersSurviveUnchanged) {
    const PurloSettings settings = decoded(
        R"({"companionScale": 3.0, "reactionIntensity": -1, "companionEdgePadding": 500,
            "kindNudgeMinutes": -9223372036854775808, "quietHours":
            {"enabled": true, "startHour": 99, "endHour": -4},
            "scheduledNap": {"hour": 31, "minute": -2}, "pomodoroFocusMinutes": 25.0})");
    EXPECT_EQ(settings.companionScale, 3.0);
    EXPECT_EQ(settings.reactionIntensity, -1.0);
    EXPECT_EQ(settings.companionEdgePadding, 500);
    EXPECT_EQ(settings.kindNudgeMinutes, INT64_MIN);
    EXPECT_EQ(settings.quietHours, (QuietHoursSchedule{true, 99, -4}));
    EXPECT_EQ(settings.scheduledNap.hour, 31);
    EXPECT_EQ(settings.scheduledNap.minute, -2);
    EXPECT_EQ(settings.pomodoroFocusMinutes, 25);
    const Json encoded = settings;
    EXPECT_EQ(encoded["companionScale"], 3.0);
    EXPECT_EQ(encoded["reactionIntensity"], -1.0);
    EXPECT_EQ(encoded["companionEdgePadding"], 500);
    EXPECT_EQ(decodeValue<PurloSettings>(encoded), settings);
}

TEST(PurloSettingsCoding, AWrongTypeAnywhereFailsTheWholeValue) {
    const char* cases[] = {
        "[]",
        "7",
        R"("settings")",
        R"({"reactionsEnabled": 1})",
        R"({"stretchReminderMinutes": 45.5})",
        R"({"stretchReminderMinutes": "45"})",
        R"({"kindNudgeMinutes": 9223372036854775808})",
        R"({"reactionIntensity": "high"})",
        R"({"companionPresenceMode": "FloatAboveApps"})",
        R"({"companionMovementMode": "wander"})",
        R"({"skin": "Orange"})",
        R"({"phrasePack": 1})",
        R"({"userName": 7})",
        R"({"nap": []})",
        R"({"nap": {"until": "tomorrow"}})",
        R"({"habitReminders": {}})",
        R"({"habitReminders": [{"id": "water", "title": "Water", "message": "sip",
            "intervalMinutes": 90, "enabled": true}]})",
        R"({"habitReminders": [{"id": "water", "title": "Water", "message": "sip",
            "interval": 90, "enabled": null}]})",
        R"({"completionStreak": {"currentDayCount": 1, "bestDayCount": 1}})",
        R"({"completionStreak": {"currentDayCount": 1, "bestDayCount": 1,
            "totalCompletions": 1, "lastCompletionDay": 1.5}})",
        R"({"quietHours": {"enabled": true, "startHour": 22}})",
        R"({"quietHours": {"enabled": "yes", "startHour": 22, "endHour": 7}})",
        R"({"scheduledNap": {"hour": "15"}})",
        R"({"scheduledNap": {"lastFiredDay": 20260307}})",
        R"({"savedCatProfiles": [{"pattern": "Stripes"}]})",
        R"({"companionPlacement": {"x": 120}})",
        R"({"companionPlacement": [120, 40]})",
    };
    for (const char* json : cases) {
        EXPECT_FALSE(decode(json)) << json;
    }
}

TEST(PurloSettingsCoding, ScheduledNapKeysDefaultOneByOne) {
    const auto schedule = decoded(R"({"scheduledNap": {"enabled": true}})").scheduledNap;
    EXPECT_EQ(schedule, (ScheduledNapSchedule{true, 15, 0, PurloNapDuration::twentyMinutes, true,
                                              std::nullopt}));
    // A duration nobody can choose falls back to twenty minutes instead of failing.
    for (const char* duration : {"25", "\"15\"", "15.5", "null", "[]"}) {
        const auto nap = decoded(std::string(R"({"scheduledNap": {"duration": )") + duration + "}}")
                             .scheduledNap;
        EXPECT_EQ(nap.duration, PurloNapDuration::twentyMinutes) << duration;
    }
    EXPECT_EQ(decoded(R"({"scheduledNap": {"duration": 60}})").scheduledNap.duration,
              PurloNapDuration::oneHour);
}

TEST(PurloSettingsCoding, OptionalNestedValues) {
    const auto settings = decoded(R"({"completionStreak": {"currentDayCount": 2,
        "bestDayCount": 5, "totalCompletions": 9, "lastCompletionDay": null},
        "companionPlacement": null})");
    EXPECT_EQ(settings.completionStreak,
              (PurloCompletionStreak{2, 5, 9, std::nullopt, std::nullopt}));
    EXPECT_FALSE(settings.companionPlacement);
    EXPECT_EQ(decoded(R"({"companionPlacement": {"x": 120, "y": -40.5}})").companionPlacement,
              (CompanionPlacement{120, -40.5}));
}

} // namespace
} // namespace purlo
