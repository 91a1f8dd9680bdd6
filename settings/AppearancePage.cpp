#include "settings/AppearancePage.h"

#include "settings/ColorDot.h"
#include "settings/CompanionSettingsBindings.h"
#include "settings/FurSwatch.h"
#include "settings/HexColor.h"
#include "settings/PercentSlider.h"
#include "settings/PurloSegmentedControl.h"
#include "settings/SavedLooksCard.h"
#include "settings/SettingsMenuPicker.h"
#include "ui/KitFont.h"
#include "ui/PurloCard.h"
#include "ui/PurloDivider.h"
#include "ui/PurloGroupLabel.h"
#include "ui/PurloSettingRow.h"
#include "ui/PurloText.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <string_view>
#include <utility>

namespace purlo {
namespace {

constexpr double cardCornerRadius = 13;
constexpr double firstGroupTopPadding = 8;
constexpr double laterGroupTopPadding = 20;
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
    const auto cases = allCases<Option>();
    return optionList(settingsBinding(runtime, field),
                      std::vector<Option>(cases.begin(), cases.end()),
                      [](Option option) { return std::string(title(option)); });
}

QWidget* row(const QString& title, QWidget* control) {
    return new PurloSettingRow(title, std::nullopt, control);
}

PurloCard* card(std::initializer_list<QWidget*> rows) {
    auto* card = new PurloCard(cardCornerRadius);
    for (QWidget* content : rows) {
        card->addWidget(content);
    }
    return card;
}

// Views one under the other, touching.
QWidget* stacked(std::initializer_list<QWidget*> views) {
    auto* group = new QWidget;
    auto* stack = new QVBoxLayout(group);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    for (QWidget* view : views) {
        stack->addWidget(view);
    }
    return group;
}

QWidget* divider() {
    return new PurloDivider(PurloTheme::divider);
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
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(new PurloGroupLabel(QStringLiteral("Look"), firstGroupTopPadding));
    page->addWidget(card({lookGrid()}));
    page->addWidget(new PurloGroupLabel(QStringLiteral("Bubble style"), laterGroupTopPadding));
    page->addWidget(bubbleStyleCard());
    page->addWidget(new PurloGroupLabel(QStringLiteral("Saved Looks"), laterGroupTopPadding));
    page->addWidget(card({new SavedLooksCard(runtime, std::move(profileName))}));
    // Room the page is given beyond what it needs stays below it.
    page->addStretch(1);

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

    return stacked({furPicker(), divider(), row(QStringLiteral("Pattern"), pattern), divider(),
                    row(QStringLiteral("Eyes"), eyesControl), divider(),
                    row(QStringLiteral("Accessory"), accessory), divider(),
                    row(QStringLiteral("Size"), sizeSlider_)});
}

QWidget* AppearancePage::bubbleStyleCard() {
    return card({row(QStringLiteral("Bubble style"), bubbleStyle_)});
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
