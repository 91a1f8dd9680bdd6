#include "settings/SettingsTabs.h"

#include <QWidget>

namespace purlo {

// No tab has controls of its own yet: each shows its heading over an empty page.
QWidget* makeSettingsTab(SettingsSectionTab, PurloRuntime&) {
    return new QWidget;
}

} // namespace purlo
