#include "settings/BehaviorPage.h"

#include "runtime/CompanionPanelGeometry.h"
#include "settings/CompanionSettingsBindings.h"
#include "settings/controls/PercentSlider.h"
#include "settings/controls/PurloSettingsTextField.h"
#include "settings/controls/SettingsGroup.h"
#include "settings/controls/SettingsMenuPicker.h"
#include "ui/PurloButtonStyles.h"
#include "ui/PurloCard.h"
#include "ui/PurloDivider.h"
#include "ui/PurloIntervalField.h"
#include "ui/PurloSettingRow.h"
#include "ui/PurloToggle.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <optional>
#include <utility>

namespace purlo {
namespace {

// The reaction intensities the slider offers, in whole percent.
constexpr PercentSlider::Steps sensitivitySteps{10, 100, 1};
constexpr IntervalRange edgeDistanceRange{0, maximumEdgePadding};
constexpr int cornerButtonSpacing = 8;
constexpr int textFieldWidth = 220;

struct CornerButton {
    CompanionScreenCorner corner;
    const char* title;
    const char* systemImage;
};

constexpr CornerButton cornerButtons[] = {
    {CompanionScreenCorner::topLeft, "Top left", "arrow.up.left"},
    {CompanionScreenCorner::topRight, "Top right", "arrow.up.right"},
    {CompanionScreenCorner::bottomLeft, "Bottom left", "arrow.down.left"},
    {CompanionScreenCorner::bottomRight, "Bottom right", "arrow.down.right"},
};

std::string presenceTitle(CompanionPresenceMode mode) {
    switch (mode) {
    case CompanionPresenceMode::floatAboveApps:
        return "Float above apps";
    case CompanionPresenceMode::desktopLevel:
        return "Stay on desktop";
    case CompanionPresenceMode::autoHideWhenAppsActive:
        return "Auto-hide behind apps";
    }
    return {};
}

std::string movementTitle(CompanionMovementMode mode) {
    switch (mode) {
    case CompanionMovementMode::freeRange:
        return "Free range";
    case CompanionMovementMode::roamWhenAway:
        return "Roam when I'm away";
    case CompanionMovementMode::stayPut:
        return "Stay put";
    }
    return {};
}

// One icon-only button per corner, named and explained by its title.
QWidget* cornerButtonRow(PurloRuntime& runtime) {
    auto* buttons = new QWidget;
    auto* line = new QHBoxLayout(buttons);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(cornerButtonSpacing);
    for (const CornerButton& corner : cornerButtons) {
        auto* button = PurloGhostButtonStyle{true}.makeBody(QString(), corner.systemImage);
        button->setToolTip(QString::fromUtf8(corner.title));
        button->setAccessibleName(QString::fromUtf8(corner.title));
        QObject::connect(button, &QAbstractButton::clicked, buttons,
                         [&runtime, where = corner.corner] { runtime.moveCompanion(where); });
        line->addWidget(button);
    }
    return buttons;
}

} // namespace

BehaviorPage::BehaviorPage(PurloRuntime& runtime, QWidget* parent)
    : QWidget(parent)
    , runtime_(runtime) {
    QVBoxLayout* page = SettingsGroup::makePageColumn(*this);
    page->addWidget(generalCard());
    page->addWidget(reactionsCard());
    page->addWidget(placementCard());
    page->addWidget(personalCard());

    settingsSubscription_ =
        runtime_.settings().subscribe([this](const PurloSettings&) { showSettings(); });
    loginSubscription_ =
        runtime_.launchAtLoginEnabled().subscribe([this](bool) { showLaunchAtLogin(); });
    loginErrorSubscription_ = runtime_.launchAtLoginError().subscribe(
        [this](const std::optional<std::string>&) { showLaunchAtLogin(); });
}

QWidget* BehaviorPage::generalCard() {
    const auto title = QStringLiteral("Open Purlo at login");
    loginSwitch_ = new PurloToggle(launchAtLoginBinding(runtime_), title);
    loginRow_ = settingRow(title, loginSwitch_);
    return new SettingsGroup(QStringLiteral("General"), SettingsGroup::Place::first, {loginRow_});
}

QWidget* BehaviorPage::reactionsCard() {
    sensitivity_ = new PercentSlider(sensitivityBinding(runtime_), sensitivitySteps,
                                     QStringLiteral("Reaction sensitivity"), QStringLiteral("%1%"));
    return new SettingsGroup(
        QStringLiteral("Reactions"), SettingsGroup::Place::later,
        {switchRow(&PurloSettings::eyeTrackingEnabled, QStringLiteral("Follow my cursor")),
         rowDivider(),
         switchRow(&PurloSettings::reactionsEnabled, QStringLiteral("Playful reactions")),
         rowDivider(),
         switchRow(&PurloSettings::typingReactionsEnabled, QStringLiteral("Typing reactions"),
                   QStringLiteral("Purlo taps her paws along with your typing.")),
         rowDivider(),
         switchRow(&PurloSettings::activeAppAwarenessEnabled,
                   QStringLiteral("React to coding apps")),
         rowDivider(), settingRow(QStringLiteral("Reaction sensitivity"), sensitivity_)});
}

QWidget* BehaviorPage::placementCard() {
    auto* presence = new SettingsMenuPicker(
        QStringLiteral("Keep Purlo"),
        optionList(settingsBinding(runtime_, &PurloSettings::companionPresenceMode),
                   allCases<CompanionPresenceMode>(), presenceTitle));
    auto* movement = new SettingsMenuPicker(
        QStringLiteral("Movement"),
        optionList(settingsBinding(runtime_, &PurloSettings::companionMovementMode),
                   allCases<CompanionMovementMode>(), movementTitle));
    pickers_ = {presence, movement};
    edgeDistance_ = new PurloIntervalField(edgePaddingBinding(runtime_), edgeDistanceRange,
                                           QStringLiteral("px"));
    return new SettingsGroup(
        QStringLiteral("Where she stays"), SettingsGroup::Place::later,
        {settingRow(QStringLiteral("Keep Purlo"), presence), rowDivider(),
         settingRow(QStringLiteral("Movement"), movement), rowDivider(),
         settingRow(QStringLiteral("Distance from screen edges"), edgeDistance_), rowDivider(),
         settingRow(QStringLiteral("Move to a corner"), cornerButtonRow(runtime_))});
}

QWidget* BehaviorPage::personalCard() {
    return new SettingsGroup(
        QStringLiteral("Personal"), SettingsGroup::Place::later,
        {settingRow(QStringLiteral("Purlo's name"),
                    textField(companionNameBinding(runtime_), QStringLiteral("Purlo"))),
         rowDivider(),
         settingRow(QStringLiteral("What should Purlo call you?"),
                    textField(settingsBinding(runtime_, &PurloSettings::userName),
                              QStringLiteral("Name"))),
         rowDivider(),
         settingRow(QStringLiteral("Idle note"),
                    textField(settingsBinding(runtime_, &PurloSettings::pinnedMessage),
                              QStringLiteral("Drink some water")),
                    QStringLiteral("Shown while Purlo is idle, except during Quiet Hours."))});
}

// A row whose switch, named by the row's title, turns field on and off.
QWidget* BehaviorPage::switchRow(bool PurloSettings::*field, const QString& title,
                                 const std::optional<QString>& subtitle) {
    auto* toggle = new PurloToggle(settingsBinding(runtime_, field), title);
    switches_.push_back(toggle);
    return settingRow(title, toggle, subtitle);
}

PurloSettingsTextField* BehaviorPage::textField(Binding<std::string> text,
                                                const QString& placeholder) {
    auto* field = new PurloSettingsTextField(std::move(text), placeholder, textFieldWidth);
    textFields_.push_back(field);
    return field;
}

void BehaviorPage::showSettings() {
    for (PurloToggle* toggle : switches_) {
        toggle->refresh();
    }
    sensitivity_->refresh();
    for (SettingsMenuPicker* picker : pickers_) {
        picker->refresh();
    }
    edgeDistance_->valueDidChange();
    for (PurloSettingsTextField* field : textFields_) {
        field->refresh();
    }
}

void BehaviorPage::showLaunchAtLogin() {
    loginSwitch_->refresh();
    const auto& error = *runtime_.launchAtLoginError();
    loginRow_->setSubtitle(error ? std::optional(QString::fromStdString(*error)) : std::nullopt);
}

} // namespace purlo
