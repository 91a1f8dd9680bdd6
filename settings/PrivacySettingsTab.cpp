#include "settings/PrivacySettingsTab.h"

#include "runtime/PurloRuntime.h"
#include "settings/PermissionSettingRow.h"
#include "settings/controls/SettingsGroup.h"

namespace purlo {

PrivacySettingsTab::PrivacySettingsTab(PurloRuntime& runtime, QWidget* parent)
    : QWidget(parent)
    , row_(new PermissionSettingRow(runtime.privacySummary()->inputMonitoringGranted,
                                    [&runtime] { runtime.requestInputMonitoringPermission(); })) {
    SettingsGroup::makePageColumn(*this)->addWidget(
        new SettingsGroup(QStringLiteral("Typing Reactions"), SettingsGroup::Place::first, {row_}));
    privacySubscription_ =
        runtime.privacySummary().subscribe([this](const PrivacySummary& summary) {
            row_->showGranted(summary.inputMonitoringGranted);
        });
}

} // namespace purlo
