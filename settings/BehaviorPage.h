#pragma once

#include "platform/Cancellable.h"
#include "runtime/PurloRuntime.h"
#include "ui/Binding.h"

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

namespace purlo {

class PercentSlider;
class PurloIntervalField;
class PurloSettingRow;
class PurloSettingsTextField;
class PurloToggle;
class SettingsMenuPicker;

// The Behavior page: whether Purlo opens at login, which reactions run and how
// strongly, where her panel lives and how far it keeps from the screen's edges, a
// move into a corner, and the names and the note she uses. It keeps no copy of the
// settings: every control shows what the runtime publishes and writes its edit back
// through the runtime. The login switch shows what the desktop last said, not what
// was asked for, with the reason under its title when a change failed.
class BehaviorPage final : public QWidget {
    Q_OBJECT

public:
    explicit BehaviorPage(PurloRuntime& runtime, QWidget* parent = nullptr);

private:
    QWidget* generalCard();
    QWidget* reactionsCard();
    QWidget* placementCard();
    QWidget* personalCard();
    QWidget* switchRow(bool PurloSettings::*field, const QString& title,
                       const std::optional<QString>& subtitle = std::nullopt);
    PurloSettingsTextField* textField(Binding<std::string> text, const QString& placeholder);
    void showSettings();
    void showLaunchAtLogin();

    PurloRuntime& runtime_;
    PurloSettingRow* loginRow_ = nullptr;
    PurloToggle* loginSwitch_ = nullptr;
    // The controls that show the stored values again after every write.
    std::vector<PurloToggle*> switches_;
    PercentSlider* sensitivity_ = nullptr;
    std::vector<SettingsMenuPicker*> pickers_;
    PurloIntervalField* edgeDistance_ = nullptr;
    std::vector<PurloSettingsTextField*> textFields_;
    Cancellable settingsSubscription_;
    Cancellable loginSubscription_;
    Cancellable loginErrorSubscription_;
};

} // namespace purlo
