#include "model/PurloSettings.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

std::vector<std::string> names(const std::vector<CatProfile>& profiles) {
    std::vector<std::string> result;
    for (const CatProfile& profile : profiles) {
        result.push_back(profile.name);
    }
    return result;
}

std::vector<std::string> ids(const std::vector<PurloHabitReminder>& reminders) {
    std::vector<std::string> result;
    for (const PurloHabitReminder& reminder : reminders) {
        result.push_back(reminder.id);
    }
    return result;
}

TEST(PurloSettingsOperations, PinnedMessageIsTrimmedOrNothing) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"", std::nullopt},
        {" \n \t\u2028\u3000", std::nullopt},
        {"  hi there \n", "hi there"},
        {"line one\n  line two", "line one\n  line two"},
    };
    for (const auto& [pinned, text] : cases) {
        PurloSettings settings;
        settings.pinnedMessage = pinned;
        const auto message = settings.trimmedPinnedMessage();
        ASSERT_EQ(message.has_value(), text.has_value()) << pinned;
        if (message) {
            EXPECT_EQ(*message, (CompanionMessage{*text, CompanionMessage::Kind::soft}));
        }
    }
}

TEST(PurloSettingsOperations, ActiveRemindersAreEnabledWithAMessageAndUntouched) {
    PurloSettings settings;
    settings.habitReminders = {
        {"water", "Water", " sip water? ", 90, true},
        {"posture", "Posture", "uncurl shoulders?", 60, false},
        {"custom-1", "Blank", " \n ", 30, true},
        {"eyes", "Eyes", "look far away?", 45, true},
    };
    const auto active = settings.activeHabitReminders();
    EXPECT_EQ(ids(active), (std::vector<std::string>{"water", "eyes"}));
    EXPECT_EQ(active.front().message, " sip water? ");
    EXPECT_TRUE(PurloSettings{}.activeHabitReminders().empty());
}

TEST(PurloSettingsOperations, KindNudgeLabelNamesTheIntervalInUse) {
    const std::pair<std::int64_t, std::string> cases[] = {
        {0, "Off"},
        {-5, "Off"},
        {INT64_MIN, "Off"},
        {1, "Every 30 minutes"},
        {30, "Every 30 minutes"},
        {45, "Every 45 minutes"},
        {120, "Every 120 minutes"},
        {240, "Every 240 minutes"},
        {500, "Every 240 minutes"},
        {INT64_MAX, "Every 240 minutes"},
    };
    for (const auto& [minutes, label] : cases) {
        PurloSettings settings;
        settings.kindNudgeMinutes = minutes;
        EXPECT_EQ(settings.kindNudgeLabel(), label) << minutes;
    }
}

TEST(PurloSettingsOperations, SavingALookReplacesTheSameIdentity) {
    PurloSettings settings;
    settings.skin = CatSkinPreset::orange;
    settings.pattern = CatPatternPreset::spots;
    settings.eyeColor = CatEyeColorPreset::mint;
    settings.accessory = CatAccessoryPreset::bell;
    settings.phrasePack = PurloPhrasePack::playful;
    settings.companionScale = 0.9;
    settings.saveCurrentLookAsProfile("Mochi");
    ASSERT_EQ(settings.savedCatProfiles.size(), 1u);
    EXPECT_EQ(settings.savedCatProfiles[0],
              (CatProfile{"mochi", "Mochi", CatSkinPreset::orange, CatPatternPreset::spots,
                          CatEyeColorPreset::mint, CatAccessoryPreset::bell, 0.9,
                          PurloPhrasePack::playful}));

    settings.skin = CatSkinPreset::gray;
    settings.saveCurrentLookAsProfile("  MOCHI \n");
    ASSERT_EQ(settings.savedCatProfiles.size(), 1u);
    EXPECT_EQ(settings.savedCatProfiles[0].name, "MOCHI");
    EXPECT_EQ(settings.savedCatProfiles[0].id, "mochi");
    EXPECT_EQ(settings.savedCatProfiles[0].skin, CatSkinPreset::gray);

    settings.saveCurrentLookAsProfile("MÓCHI");
    EXPECT_EQ(names(settings.savedCatProfiles), (std::vector<std::string>{"MÓCHI"}));

    settings.saveCurrentLookAsProfile("Éclair");
    settings.saveCurrentLookAsProfile("Eclair");
    EXPECT_EQ(names(settings.savedCatProfiles), (std::vector<std::string>{"Eclair", "MÓCHI"}));
    EXPECT_EQ(settings.savedCatProfiles[0].id, "eclair");

    settings.saveCurrentLookAsProfile(" \n ");
    EXPECT_EQ(settings.savedCatProfiles.back().name, "Purlo");
    EXPECT_EQ(settings.savedCatProfiles.back().id, "purlo");
}

TEST(PurloSettingsOperations, SavedLookScaleIsClamped) {
    const std::pair<double, double> cases[] = {{2.0, 1.2}, {0.5, 0.75}, {0.75, 0.75}, {1.1, 1.1}};
    for (const auto& [scale, saved] : cases) {
        PurloSettings settings;
        settings.companionScale = scale;
        settings.saveCurrentLookAsProfile("Mochi");
        EXPECT_EQ(settings.savedCatProfiles.at(0).companionScale, saved) << scale;
        EXPECT_EQ(settings.companionScale, scale);
    }
}

TEST(PurloSettingsOperations, SavedLooksSortNaturallyAndCaseInsensitively) {
    PurloSettings settings;
    for (const char* name : {"Zed", "apple", "Mochi 10", "Mochi 9"}) {
        settings.saveCurrentLookAsProfile(name);
    }
    EXPECT_EQ(names(settings.savedCatProfiles),
              (std::vector<std::string>{"apple", "Mochi 9", "Mochi 10", "Zed"}));

    // A list stored out of order comes out sorted after the next save; looks whose
    // names compare equal keep their order.
    settings.savedCatProfiles = {{"b2", "beta"}, {"z", "Zulu"}, {"b1", "BETA"}};
    settings.saveCurrentLookAsProfile("alpha");
    EXPECT_EQ(names(settings.savedCatProfiles),
              (std::vector<std::string>{"alpha", "beta", "BETA", "Zulu"}));
}

TEST(PurloSettingsOperations, OnlyCustomRemindersCanBeRemoved) {
    const PurloHabitReminder mine{"custom-7", "Mine", "stand up?", 30, true};
    struct Case {
        std::string id;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {"water", {"water", "posture", "eyes", "custom", "custom-7", "custom-7"}},
        {"custom", {"water", "posture", "eyes", "custom-7", "custom-7"}},
        {"custom-7", {"water", "posture", "eyes", "custom"}},
        {"custom-8", {"water", "posture", "eyes", "custom", "custom-7", "custom-7"}},
        {"Custom-7", {"water", "posture", "eyes", "custom", "custom-7", "custom-7"}},
        {"customer", {"water", "posture", "eyes", "custom", "custom-7", "custom-7"}},
    };
    for (const auto& c : cases) {
        PurloSettings settings;
        settings.habitReminders.push_back(mine);
        settings.habitReminders.push_back(mine);
        settings.removeCustomHabitReminder(c.id);
        EXPECT_EQ(ids(settings.habitReminders), c.left) << c.id;
    }
    PurloSettings settings;
    settings.removeCustomHabitReminder("custom");
    for (const auto& reminder : settings.habitReminders) {
        EXPECT_NE(reminder.title, "Gentle nudge");
    }
}

} // namespace
} // namespace purlo
