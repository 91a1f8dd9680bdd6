#include "settings/PurloSettingsRouter.h"

#include <gtest/gtest.h>
#include <vector>

namespace purlo {
namespace {

TEST(SettingsSectionTab, TabsAreSpelledAndOrderedAsTheSidebarListsThem) {
    const std::vector<std::string_view> expected{"appearance", "behavior", "focus", "agent",
                                                 "privacy",    "help",     "about"};
    std::vector<std::string_view> spelled;
    for (const SettingsSectionTab tab : allCases<SettingsSectionTab>()) {
        spelled.push_back(toString(tab));
        EXPECT_EQ(fromString<SettingsSectionTab>(toString(tab)), tab);
    }
    EXPECT_EQ(spelled, expected);
    EXPECT_EQ(fromString<SettingsSectionTab>("Appearance"), std::nullopt);
}

TEST(PurloSettingsRouter, StartsOnAppearanceAndAnnouncesEverySelection) {
    PurloSettingsRouter router;
    std::vector<SettingsSectionTab> seen;
    const Cancellable watching =
        router.selectedTab().subscribe([&](SettingsSectionTab tab) { seen.push_back(tab); });
    router.setSelectedTab(SettingsSectionTab::privacy);
    router.setSelectedTab(SettingsSectionTab::privacy);
    EXPECT_EQ(seen, (std::vector{SettingsSectionTab::appearance, SettingsSectionTab::privacy,
                                 SettingsSectionTab::privacy}));
    EXPECT_EQ(&PurloSettingsRouter::shared(), &PurloSettingsRouter::shared());
}

} // namespace
} // namespace purlo
