#include "model/PurloSettings.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

template <typename T, typename Field>
std::vector<std::string> listOf(const std::vector<T>& items, Field field) {
    std::vector<std::string> result;
    for (const T& item : items) {
        result.push_back(item.*field);
    }
    return result;
}

TEST(PurloSettingsOperations, PinnedMessageAndActiveReminders) {
    PurloSettings settings;
    settings.pinnedMessage = " \n\t\u2028\u3000";
    EXPECT_EQ(settings.trimmedPinnedMessage(), std::nullopt);
    settings.pinnedMessage = "  hi there \n";
    EXPECT_EQ(settings.trimmedPinnedMessage(),
              (CompanionMessage{"hi there", CompanionMessage::Kind::soft}));

    settings.habitReminders = {
        {"water", "Water", " sip water? ", 90, true},
        {"posture", "Posture", "uncurl shoulders?", 60, false},
        {"custom-1", "Blank", " \n ", 30, true},
        {"eyes", "Eyes", "look far away?", 45, true},
    };
    const auto active = settings.activeHabitReminders();
    EXPECT_EQ(listOf(active, &PurloHabitReminder::id), (std::vector<std::string>{"water", "eyes"}));
    EXPECT_EQ(active.front().message, " sip water? ");
}

TEST(PurloSettingsOperations, KindNudgeLabelNamesTheIntervalInUse) {
    const std::pair<std::int64_t, std::string> cases[] = {
        {0, "Off"},
        {-5, "Off"},
        {1, "Every 30 minutes"},
        {45, "Every 45 minutes"},
        {120, "Every 120 minutes"},
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
    settings.companionScale = 2.0;
    settings.saveCurrentLookAsProfile("Mochi");
    EXPECT_EQ(settings.savedCatProfiles,
              (std::vector<CatProfile>{{"mochi", "Mochi", CatSkinPreset::orange,
                                        CatPatternPreset::spots, CatEyeColorPreset::mint,
                                        CatAccessoryPreset::bell, 1.2, PurloPhrasePack::playful}}));

    settings.companionScale = 0.5;
    settings.saveCurrentLookAsProfile("  MOCHI \n");
    ASSERT_EQ(settings.savedCatProfiles.size(), 1u);
    EXPECT_EQ(settings.savedCatProfiles[0].name, "MOCHI");
    EXPECT_EQ(settings.savedCatProfiles[0].companionScale, 0.75);

    settings.saveCurrentLookAsProfile("MÓCHI");
    settings.saveCurrentLookAsProfile("Éclair");
    settings.saveCurrentLookAsProfile("Eclair");
    settings.saveCurrentLookAsProfile(" \n ");
    EXPECT_EQ(listOf(settings.savedCatProfiles, &CatProfile::name),
              (std::vector<std::string>{"Eclair", "MÓCHI", "Purlo"}));
    EXPECT_EQ(listOf(settings.savedCatProfiles, &CatProfile::id),
              (std::vector<std::string>{"eclair", "mochi", "purlo"}));
}

TEST(PurloSettingsOperations, SavedLooksSortNaturallyAndStably) {
    PurloSettings settings;
    for (const char* name : {"Zed", "apple", "Mochi 10", "Mochi 9"}) {
        settings.saveCurrentLookAsProfile(name);
    }
    EXPECT_EQ(listOf(settings.savedCatProfiles, &CatProfile::name),
              (std::vector<std::string>{"apple", "Mochi 9", "Mochi 10", "Zed"}));

    // A list stored out of order is sorted by the next save; equal names keep their order.
    settings.savedCatProfiles = {{"b2", "beta"}, {"z", "Zulu"}, {"b1", "BETA"}};
    settings.saveCurrentLookAsProfile("alpha");
    EXPECT_EQ(listOf(settings.savedCatProfiles, &CatProfile::name),
              (std::vector<std::string>{"alpha", "beta", "BETA", "Zulu"}));
}

TEST(PurloSettingsOperations, OnlyCustomRemindersCanBeRemoved) {
    const std::vector<std::string> all = {"water",  "posture",  "eyes",
                                          "custom", "custom-7", "custom-7"};
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"water", all},
        {"custom", {"water", "posture", "eyes", "custom-7", "custom-7"}},
        {"custom-7", {"water", "posture", "eyes", "custom"}},
        {"custom-8", all},
        {"Custom-7", all},
        {"customer", all},
    };
    for (const auto& [id, left] : cases) {
        PurloSettings settings;
        settings.habitReminders.push_back({"custom-7", "Mine", "stand up?", 30, true});
        settings.habitReminders.push_back(settings.habitReminders.back());
        settings.removeCustomHabitReminder(id);
        EXPECT_EQ(listOf(settings.habitReminders, &PurloHabitReminder::id), left) << id;
    }
}

} // namespace
} // namespace purlo
