#include "settings/PrivacySettingsTab.h"

#include "runtime/PurloRuntime.h"
#include "settings/PermissionSettingRow.h"
#include "settings/SettingsGroup.h"
#include "ui/PurloCard.h"

namespace purlo {

PrivacySettingsTab::PrivacySettingsTab(PurloRuntime& runtime, QWidget* parent)
    : QWidget(parent)
    , row_(new PermissionSettingRow(runtime.privacySummary()->inputMonitoringGranted,
                                    [&runtime] { runtime.requestInputMonitoringPermission(); })) {
    auto* group =
        new SettingsGroup(QStringLiteral("Typing Reactions"), SettingsGroup::Place::first);
    group->card().addWidget(row_);
    SettingsGroup::makePageColumn(*this)->addWidget(group);
    privacySubscription_ =
        runtime.privacySummary().subscribe([this](const PrivacySummary& summary) {
            row_->showGranted(summary.inputMonitoringGranted);
        });
}

} // namespace purlo
