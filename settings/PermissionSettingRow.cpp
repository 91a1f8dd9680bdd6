#include "settings/PermissionSettingRow.h"

#include "platform/LinuxWordings.h"
#include "platform/qt/QtText.h"
#include "ui/PurloButtonStyles.h"
#include "ui/PurloSettingRow.h"
#include "ui/PurloStatusPill.h"

#include <QHBoxLayout>
#include <utility>

namespace purlo {

PermissionSettingRow::PermissionSettingRow(bool granted, std::function<void()> action,
                                           QWidget* parent)
    : QWidget(parent)
    , pill_(new PurloStatusPill(PurloStatusPill::Variant::ok, QStringLiteral("Allowed")))
    , button_(PurloGhostButtonStyle{true}.makeBody(qText(LinuxWordings::inputMonitoringButton))) {
    button_->setAccessibleDescription(qText(LinuxWordings::inputMonitoringButtonHint));
    connect(button_, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });

    auto* control = new QWidget;
    auto* controlLayout = new QHBoxLayout(control);
    controlLayout->setContentsMargins(0, 0, 0, 0);
    controlLayout->addWidget(pill_);
    controlLayout->addWidget(button_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        new PurloSettingRow(QStringLiteral("Input Monitoring"),
                            QStringLiteral("Optional. Lets Purlo react to typing rhythm without "
                                           "reading what you type."),
                            control));
    showGranted(granted);
}

void PermissionSettingRow::showGranted(bool granted) {
    pill_->setVisible(granted);
    button_->setVisible(!granted);
}

} // namespace purlo
