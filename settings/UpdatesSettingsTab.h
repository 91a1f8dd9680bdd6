#pragma once

#include "integrations/PurloUpdateCheckState.h"
#include "platform/Cancellable.h"

#include <QWidget>

namespace purlo {

class PurloRuntime;
class PurloText;
class ReplaceableContent;

// The About page: who the program is, with a button that copies a short device
// description for support; the update controls (the update framework's switches when
// one is in charge, else the website check and what it found); and links to the
// release notes and the privacy policy. It edits no setting.
class UpdatesSettingsTab final : public QWidget {
    Q_OBJECT

public:
    static constexpr int iconSide = 72;

    explicit UpdatesSettingsTab(PurloRuntime& runtime, QWidget* parent = nullptr);

private:
    QWidget* makeApplicationCard();
    QWidget* makeLinksCard();
    QWidget* makeInAppForm();
    QWidget* makeManualForm(const PurloUpdateCheckState& state);
    void showUpdates();
    void copyDeviceInfo();

    PurloRuntime& runtime_;
    // The outcome of the last copy, hidden until the first one on this page.
    PurloText* copyStatus_ = nullptr;
    ReplaceableContent* updates_ = nullptr;
    Cancellable updateSubscription_;
};

} // namespace purlo
