#include "settings/AppearancePage.h"

#include "settings/SavedLooksCard.h"
#include "settings/SettingsFieldBinding.h"
#include "settings/controls/ColorDot.h"
#include "settings/controls/FurSwatch.h"
#include "settings/controls/HexColor.h"
#include "settings/controls/PercentSlider.h"
#include "settings/controls/PurloSegmentedControl.h"
#include "settings/controls/SettingsGroup.h"
#include "settings/controls/SettingsMenuPicker.h"
#include "ui/KitFont.h"
#include "ui/PurloText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <string_view>
#include <utility>

namespace purlo {
namespace {

constexpr int eyeDotDiameter = 13;
constexpr int eyeDotSpacing = 10;
// The companion's sizes, 75 % to 120 % in steps of 5 %.
constexpr PercentSlider::Steps sizeSteps{75, 120, 5};
// A faint dark ring keeps the pale eye colours apart from a white card.
constexpr ThemeColor eyeDotRing = themeColor(0x000000, 0.2);

// The fur row's padding and gaps as the eye sees them; each tile keeps room of its own
// around its card for the halo and the lift, which these take back.
constexpr int furSidePadding = 15;
constexpr int furTopPadding = 12;
constexpr int furBottomPadding = 13;
constexpr int furHeaderGap = 12;
constexpr int swatchGap = 8;
constexpr int swatchSideRoom = FurSwatch::haloSpread;
constexpr int swatchTopRoom = FurSwatch::haloSpread + FurSwatch::hoverLift;
constexpr int swatchBottomRoom = FurSwatch::haloSpread;

std::string_view eyeDotHex(CatEyeColorPreset eyeColor) {
    switch (eyeColor) {
    case CatEyeColorPreset::cocoa:
        return "#47331F";
    case CatEyeColorPreset::mint:
        return "#B5FFB8";
    case CatEyeColorPreset::sky:
        return "#B8D7FF";
    case CatEyeColorPreset::honey:
        return "#F0F8D4";
    case CatEyeColorPreset::violet:
        return "#D7B8FF";
    }
    return "";
}

// Every case of a look field's catalogue, in catalogue order, under its own title.
template <NamedEnum Option>
OptionList everyOption(PurloRuntime& runtime, Option PurloSettings::*field) {
    return optionList(settingsBinding(runtime, field), allCases<Option>(),
                      [](Option option) { return std::string(title(option)); });
}

} // namespace

AppearancePage::AppearancePage(PurloRuntime& runtime, Binding<std::string> profileName,
                               QWidget* parent)
    : QWidget(parent)
    , runtime_(runtime)
    , furTitle_(new PurloText({}, kitFont(12, QFont::Bold, true), PurloTheme::accent))
    , eyeDot_(new ColorDot(eyeDotDiameter, eyeDotRing))
    , sizeSlider_(new PercentSlider(settingsBinding(runtime, &PurloSettings::companionScale),
                                    sizeSteps, QStringLiteral("Purlo size"),
                                    QStringLiteral("%1 percent")))
    , bubbleStyle_(new PurloSegmentedControl(everyOption(runtime, &PurloSettings::phrasePack))) {
    QVBoxLayout* page = SettingsGroup::makePageColumn(*this);
    page->addWidget(
        new SettingsGroup(QStringLiteral("Look"), SettingsGroup::Place::first, {lookGrid()}));
    page->addWidget(new SettingsGroup(QStringLiteral("Bubble style"), SettingsGroup::Place::later,
                                      {settingRow(QStringLiteral("Bubble style"), bubbleStyle_)}));
    page->addWidget(new SettingsGroup(QStringLiteral("Saved Looks"), SettingsGroup::Place::later,
                                      {new SavedLooksCard(runtime, std::move(profileName))}));

    settingsSubscription_ = runtime_.settings().subscribe(
        [this](const PurloSettings& settings) { showSettings(settings); });
}

QWidget* AppearancePage::furPicker() {
    auto* header = new QHBoxLayout;
    header->setContentsMargins(swatchSideRoom, 0, swatchSideRoom, 0);
    header->addWidget(new PurloText(QStringLiteral("Fur"), kitFont(14.5, QFont::Medium),
                                    PurloTheme::primaryText));
    header->addStretch(1);
    header->addWidget(furTitle_);

    const Binding<CatSkinPreset> skin = settingsBinding(runtime_, &PurloSettings::skin);
    auto* swatches = new QHBoxLayout;
    swatches->setSpacing(swatchGap - 2 * swatchSideRoom);
    for (const CatSkinPreset preset : allCases<CatSkinPreset>()) {
        auto* swatch = new FurSwatch(preset, false, [skin, preset] { skin.set(preset); });
        swatches->addWidget(swatch, 1);
        swatches_.push_back(swatch);
    }

    auto* picker = new QWidget;
    auto* stack = new QVBoxLayout(picker);
    stack->setContentsMargins(furSidePadding - swatchSideRoom, furTopPadding,
                              furSidePadding - swatchSideRoom, furBottomPadding - swatchBottomRoom);
    stack->setSpacing(furHeaderGap - swatchTopRoom);
    stack->addLayout(header);
    stack->addLayout(swatches);
    return picker;
}

QWidget* AppearancePage::lookGrid() {
    auto* pattern = new SettingsMenuPicker(QStringLiteral("Pattern"),
                                           everyOption(runtime_, &PurloSettings::pattern));
    auto* eyes = new SettingsMenuPicker(QStringLiteral("Eyes"),
                                        everyOption(runtime_, &PurloSettings::eyeColor));
    auto* accessory = new SettingsMenuPicker(QStringLiteral("Accessory"),
                                             everyOption(runtime_, &PurloSettings::accessory));
    pickers_ = {pattern, eyes, accessory};

    auto* eyesControl = new QWidget;
    auto* eyesRow = new QHBoxLayout(eyesControl);
    eyesRow->setContentsMargins(0, 0, 0, 0);
    eyesRow->setSpacing(eyeDotSpacing);
    eyesRow->addWidget(eyeDot_);
    eyesRow->addWidget(eyes);

    return stackedRows({furPicker(), rowDivider(), settingRow(QStringLiteral("Pattern"), pattern),
                        rowDivider(), settingRow(QStringLiteral("Eyes"), eyesControl), rowDivider(),
                        settingRow(QStringLiteral("Accessory"), accessory), rowDivider(),
                        settingRow(QStringLiteral("Size"), sizeSlider_)});
}

void AppearancePage::showSettings(const PurloSettings& settings) {
    furTitle_->setText(QUtf8StringView(title(settings.skin)).toString());
    for (FurSwatch* swatch : swatches_) {
        swatch->setSelected(swatch->skin() == settings.skin);
    }
    for (SettingsMenuPicker* picker : pickers_) {
        picker->refresh();
    }
    eyeDot_->setFill(colorFromHex(eyeDotHex(settings.eyeColor)));
    sizeSlider_->refresh();
    bubbleStyle_->refresh();
}

} // namespace purlo
