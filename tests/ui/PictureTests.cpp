#include "companion/qt/ThemeQColor.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/support/qt/PicturePixels.h"
#include "ui/KitFont.h"
#include "ui/OnboardingView.h"
#include "ui/PurloComponents.h"

#include <QHBoxLayout>
#include <QImage>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace purlo {
namespace {

// Pictures for a person to look at, in both appearances; their grounds and cards must take
// the theme's colours.
QImage keep(QWidget& widget, const std::string& name) {
    const QImage picture = widget.grab().toImage();
    if (const auto artifacts = testing::artifactsFolder()) {
        picture.save(artifacts->filePath(QString::fromStdString(name + ".png")));
    }
    return picture;
}

QRgb theme(AppearanceColor color, bool dark) {
    return themeQColor(color, dark).rgb();
}

TEST(Pictures, APageOfTheKitDrawsInTheThemeOfItsAppearance) {
    for (const bool dark : {false, true}) {
        bool typing = true;
        std::int64_t minutes = 45;
        const Binding<bool> typingBinding{[&] { return typing; },
                                          [&](bool on) {
                                              typing = on;
                                          }};
        const Binding<std::int64_t> minutesBinding{[&] { return minutes; },
                                                   [&](std::int64_t m) {
                                                       minutes = m;
                                                   }};
        auto* buttons = new QWidget;
        auto* buttonRow = new QHBoxLayout(buttons);
        buttonRow->addWidget(PurloGhostButtonStyle{true}.makeBody("Copy Report"));
        buttonRow->addWidget(PurloPrimaryButtonStyle{true}.makeBody("Check for Updates"));
        buttonRow->addWidget(PurloPrimaryButtonStyle{true}.makeBody("Unavailable"));
        buttonRow->itemAt(2)->widget()->setEnabled(false);
        buttonRow->addStretch(1);
        buttonRow->setContentsMargins(15, 12, 15, 12);
        auto* group = PurloTrailingDisclosureGroupStyle{}.makeBody(
            new PurloText("Diagnostics", kitFont(14.5, QFont::Medium), PurloTheme::primaryText),
            new PurloRowValue("60 fps avg / 18 ms max", false, true));
        group->setExpanded(true);
        group->setContentsMargins(15, 12, 15, 12);
        auto* card = new PurloCard(13);
        for (QWidget* row : std::initializer_list<QWidget*>{
                 new PurloSettingRow("Input Monitoring",
                                     QString("Optional. Lets Purlo react to typing rhythm "
                                             "without reading what you type."),
                                     new PurloStatusPill(PurloStatusPill::Variant::ok, "Allowed")),
                 new PurloSettingRow("Typing reactions", std::nullopt,
                                     new PurloToggle(typingBinding, "Typing reactions")),
                 new PurloSettingRow("Stretch reminder",
                                     QString("How often she reminds you to stretch."),
                                     new PurloIntervalField(minutesBinding, {5, 120}, "min")),
                 new PurloListRow("info.circle", PurloTheme::accent, "Version",
                                  "The build you are running.",
                                  new PurloRowValue("0.1.0 (1)", true, true)),
                 buttons, group}) {
            card->addWidget(row);
            card->addWidget(new PurloDivider(themeQColor(PurloTheme::divider, dark)));
        }
        QWidget page;
        page.setPalette(purloPalette(dark));
        page.setAutoFillBackground(true);
        auto* stack = new QVBoxLayout(&page);
        stack->setContentsMargins(24, 0, 24, 28);
        stack->addWidget(new PurloGroupLabel("Typing Reactions", 8));
        stack->addWidget(card);
        stack->addStretch(1);
        page.resize(560, 560);

        const QImage picture = keep(page, dark ? "kit-dark" : "kit-light");
        EXPECT_EQ(picture.pixel(4, 4), theme(PurloTheme::windowBackground, dark));
        EXPECT_EQ(picture.pixel(card->mapTo(&page, QPoint(card->width() - 6, card->height() / 2))),
                  theme(PurloTheme::cardBackground, dark));
    }
}

// Every slide drawn whole: the window's ground, the bar's card colour and its divider.
TEST(Pictures, EveryOnboardingSlideDrawsInTheThemeOfItsAppearance) {
    for (const bool dark : {false, true}) {
        for (const auto& [slide, granted] :
             {std::pair{1, false}, {2, false}, {2, true}, {3, false}}) {
            testing::RuntimeHarness harness;
            harness.keys.granted = granted;
            harness.appearance.dark = dark;
            harness.appearance.reducesMotion = true; // one still frame of the cat
            OnboardingView view(harness.runtime(), harness.appearance, slide, [] {});
            view.setPalette(purloPalette(dark));
            const std::string name = "onboarding-" + std::to_string(slide) +
                                     (granted ? "-granted" : "") + (dark ? "-dark" : "-light");
            const QImage picture = keep(view, name);
            EXPECT_EQ(testing::pixelAt(picture, {4, 4}), theme(PurloTheme::windowBackground, dark))
                << name;
            EXPECT_EQ(testing::pixelAt(picture, {4, 755}), theme(PurloTheme::cardBackground, dark))
                << name;
            const int barTop = view.primaryButton().parentWidget()->mapTo(&view, QPoint(0, 0)).y();
            EXPECT_EQ(testing::pixelAt(picture, {300, barTop}), theme(PurloTheme::border, dark))
                << name;
        }
    }
}

} // namespace
} // namespace purlo
