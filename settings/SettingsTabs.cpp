#include "settings/SettingsTabs.h"

#include "settings/CompanionSettingsTab.h"

#include <QWidget>

namespace purlo {

// Tabs without controls of their own yet show their heading over an empty page.
QWidget* makeSettingsTab(SettingsSectionTab tab, PurloRuntime& runtime) {
    switch (tab) {
    case SettingsSectionTab::appearance:
        return new CompanionSettingsTab(runtime, CompanionSettingsSection::appearance);
    case SettingsSectionTab::behavior:
        return new CompanionSettingsTab(runtime, CompanionSettingsSection::behavior);
    default:
        return new QWidget;
    }
}

} // namespace purlo
