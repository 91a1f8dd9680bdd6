#pragma once

#include "platform/Published.h"
#include "settings/SettingsSectionTab.h"

namespace purlo {

// Which tab the Settings window shows. Whoever opens Settings on a tab writes it here,
// and an open window follows the change at once.
class PurloSettingsRouter {
public:
    PurloSettingsRouter() = default;
    PurloSettingsRouter(const PurloSettingsRouter&) = delete;
    PurloSettingsRouter& operator=(const PurloSettingsRouter&) = delete;

    // The program's one router, made on first use showing the appearance tab.
    static PurloSettingsRouter& shared();

    const Published<SettingsSectionTab>& selectedTab() const { return selectedTab_; }
    void setSelectedTab(SettingsSectionTab tab) { selectedTab_.set(tab); }

private:
    Published<SettingsSectionTab> selectedTab_{SettingsSectionTab::appearance};
};

} // namespace purlo
