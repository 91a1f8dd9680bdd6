#include "app/PurloSettingsWindowPresenter.h"
#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(PurloSettingsWindowPresenter, ATabIsSelectedWhenAskedForAndKeptOtherwise) {
    testing::RuntimeHarness harness;
    PurloSettingsRouter router;
    PurloSettingsWindowPresenter presenter(router);
    int announcements = 0;
    const Cancellable watching =
        router.selectedTab().subscribe([&](SettingsSectionTab) { ++announcements; });

    presenter.show(SettingsSectionTab::focus, harness.runtime());
    EXPECT_EQ(*router.selectedTab(), SettingsSectionTab::focus);
    presenter.show(std::nullopt, harness.runtime());
    EXPECT_EQ(*router.selectedTab(), SettingsSectionTab::focus) << "the tab it showed last";
    EXPECT_EQ(announcements, 2) << "no tab asked for is no selection";
    presenter.show(SettingsSectionTab::appearance, harness.runtime());
    EXPECT_EQ(*router.selectedTab(), SettingsSectionTab::appearance);
}

} // namespace
} // namespace purlo
