#include "companion/qt/ThemeQColor.h"
#include "tests/companion/BuildFolder.h"
#include "ui/KitFont.h"
#include "ui/PurloComponents.h"

#include <QImage>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace purlo {
namespace {

// A page made of every piece of the kit, in both appearances, kept for a person to look
// at; the card and the window ground must take their theme colours.
TEST(PurloKitPictures, APageOfTheKitDrawsInTheThemeOfItsAppearance) {
    const auto artifacts = testing::artifactsFolder();
    for (const bool dark : {false, true}) {
        bool typing = true;
        std::int64_t minutes = 45;
        QWidget page;
        page.setPalette(purloPalette(dark));
        page.setAutoFillBackground(true);
        auto* stack = new QVBoxLayout(&page);
        stack->setContentsMargins(24, 0, 24, 28);
        stack->setSpacing(0);
        stack->addWidget(new PurloGroupLabel("Typing Reactions", 8));
        auto* card = new PurloCard(13);
        card->addWidget(
            new PurloSettingRow("Input Monitoring",
                                QString("Optional. Lets Purlo react to typing rhythm without "
                                        "reading what you type."),
                                new PurloStatusPill(PurloStatusPill::Variant::ok, "Allowed")));
        card->addWidget(new PurloDivider(themeQColor(PurloTheme::divider, dark)));
        card->addWidget(new PurloSettingRow("Typing reactions", std::nullopt,
                                            new PurloToggle({[&] { return typing; },
                                                             [&](bool on) {
                                                                 typing = on;
                                                             }},
                                                            "Typing reactions")));
        card->addWidget(new PurloDivider(themeQColor(PurloTheme::divider, dark)));
        card->addWidget(new PurloSettingRow("Stretch reminder",
                                            QString("How often she reminds you to stretch."),
                                            new PurloIntervalField({[&] { return minutes; },
                                                                    [&](std::int64_t m) {
                                                                        minutes = m;
                                                                    }},
                                                                   {5, 120}, "min")));
        stack->addWidget(card);
        stack->addWidget(new PurloGroupLabel("Support", 20));
        auto* second = new PurloCard(13);
        second->addWidget(new PurloListRow("info.circle", PurloTheme::accent, "Version",
                                           "The build you are running.",
                                           new PurloRowValue("0.1.0 (1)", true, true)));
        second->addWidget(new PurloDivider(themeQColor(PurloTheme::divider, dark)));
        auto* buttons = new QWidget;
        auto* row = new QHBoxLayout(buttons);
        row->setContentsMargins(15, 12, 15, 12);
        row->addWidget(PurloGhostButtonStyle{true}.makeBody("Copy Report"));
        row->addWidget(PurloPrimaryButtonStyle{true}.makeBody("Check for Updates"));
        auto* disabled = PurloPrimaryButtonStyle{true}.makeBody("Unavailable");
        disabled->setEnabled(false);
        row->addWidget(disabled);
        row->addStretch(1);
        second->addWidget(buttons);
        second->addWidget(new PurloDivider(themeQColor(PurloTheme::divider, dark)));
        auto* group = PurloTrailingDisclosureGroupStyle{}.makeBody(
            new PurloText("Diagnostics", kitFont(14.5, QFont::Medium), PurloTheme::primaryText),
            new PurloRowValue("60 fps avg / 18 ms max", false, true));
        group->setContentsMargins(15, 12, 15, 12);
        group->setExpanded(true);
        second->addWidget(group);
        stack->addWidget(second);
        stack->addStretch(1);
        page.resize(560, 520);

        const QImage picture = page.grab().toImage();
        if (artifacts) {
            picture.save(artifacts->filePath(dark ? "kit-dark.png" : "kit-light.png"));
        }
        EXPECT_EQ(picture.pixelColor(4, 4).rgb(),
                  themeQColor(PurloTheme::windowBackground, dark).rgb());
        const QPoint inCard = card->mapTo(&page, QPoint(card->width() - 6, card->height() / 2));
        EXPECT_EQ(picture.pixelColor(inCard).rgb(),
                  themeQColor(PurloTheme::cardBackground, dark).rgb());
    }
}

} // namespace
} // namespace purlo
