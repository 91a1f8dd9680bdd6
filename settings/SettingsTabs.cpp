#include "settings/SettingsTabs.h"

#include "settings/AdvancedSettingsTab.h"
#include "settings/IntegrationsSettingsTab.h"
#include "settings/PrivacySettingsTab.h"
#include "settings/UpdatesSettingsTab.h"

#include <QWidget>

namespace purlo {

QWidget* makeSettingsTab(SettingsSectionTab tab, PurloRuntime& runtime) {
    switch (tab) {
    case SettingsSectionTab::agent:
        return new IntegrationsSettingsTab(runtime);
    case SettingsSectionTab::privacy:
        return new PrivacySettingsTab(runtime);
    case SettingsSectionTab::help:
        return new AdvancedSettingsTab(runtime);
    case SettingsSectionTab::about:
        return new UpdatesSettingsTab(runtime);
    case SettingsSectionTab::appearance:
    case SettingsSectionTab::behavior:
    case SettingsSectionTab::focus:
        break;
    }
    // The companion's and the focus pages have no controls yet: an empty page.
    return new QWidget;
}

} // namespace purlo
