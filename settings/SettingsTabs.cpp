#include "settings/SettingsTabs.h"

#include "settings/AdvancedSettingsTab.h"
#include "settings/CompanionSettingsTab.h"
#include "settings/FocusSettingsTab.h"
#include "settings/IntegrationsSettingsTab.h"
#include "settings/PrivacySettingsTab.h"
#include "settings/UpdatesSettingsTab.h"

#include <QWidget>

namespace purlo {

QWidget* makeSettingsTab(SettingsSectionTab tab, PurloRuntime& runtime) {
    switch (tab) {
    case SettingsSectionTab::appearance:
        return new CompanionSettingsTab(runtime, CompanionSettingsSection::appearance);
    case SettingsSectionTab::behavior:
        return new CompanionSettingsTab(runtime, CompanionSettingsSection::behavior);
    case SettingsSectionTab::focus:
        return new FocusSettingsTab(runtime);
    case SettingsSectionTab::agent:
        return new IntegrationsSettingsTab(runtime);
    case SettingsSectionTab::privacy:
        return new PrivacySettingsTab(runtime);
    case SettingsSectionTab::help:
        return new AdvancedSettingsTab(runtime);
    case SettingsSectionTab::about:
        return new UpdatesSettingsTab(runtime);
    }
    return new QWidget;
}

} // namespace purlo
