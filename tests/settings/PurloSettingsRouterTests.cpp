#include "settings/PurloSettingsRouter.h"

#include <gtest/gtest.h>
#include <vector>

namespace purlo {
namespace {

TEST(SettingsSectionTab, OnlyTheExactRawValuesNameATab) {
    const std::vector<std::string_view> expected{"appearance", "behavior", "focus", "agent",
                                                 "privacy",    "help",     "about"};
    std::vector<std::string_view> spelled;
    for (const SettingsSectionTab tab : allCases<SettingsSectionTab>()) {
        spelled.push_back(toString(tab));
        EXPECT_EQ(fromString<SettingsSectionTab>(toString(tab)), tab);
    }
    EXPECT_EQ(spelled, expected);
    const struct {
        std::string_view raw;
        std::optional<SettingsSectionTab> tab;
    } rows[] = {
        {"about", SettingsSectionTab::about},
        {"Appearance", std::nullopt},
        {"", std::nullopt},
        {"agent ", std::nullopt},
        {"Agent", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(fromString<SettingsSectionTab>(row.raw), row.tab) << '"' << row.raw << '"';
    }
}

// Read top to bottom, the sidebar lists every tab once, in the tabs' own order.
TEST(SettingsSectionTab, TheSidebarGroupsHoldEveryTabOnceInOrder) {
    std::vector<SettingsSectionTab> listed;
    std::vector<std::string_view> headers;
    for (const SettingsSidebarGroup& group : settingsSidebarGroups) {
        headers.push_back(group.header);
        listed.insert(listed.end(), group.tabs.begin(), group.tabs.end());
    }
    EXPECT_EQ(headers, (std::vector<std::string_view>{"Purlo", "Support"}));
    EXPECT_EQ(settingsSidebarGroups[0].tabs.size(), 5u);
    const auto all = allCases<SettingsSectionTab>();
    EXPECT_EQ(listed, std::vector(all.begin(), all.end()));
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
