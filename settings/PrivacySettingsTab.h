#pragma once

#include "platform/Cancellable.h"

#include <QWidget>

namespace purlo {

class PermissionSettingRow;
class PurloRuntime;

// The Privacy page: whether Purlo can time key presses for its typing reactions, and
// a way to ask again. It follows the runtime's word on the grant, so a change shows
// without reopening the window.
class PrivacySettingsTab final : public QWidget {
    Q_OBJECT

public:
    explicit PrivacySettingsTab(PurloRuntime& runtime, QWidget* parent = nullptr);

private:
    PermissionSettingRow* row_;
    Cancellable privacySubscription_;
};

} // namespace purlo
