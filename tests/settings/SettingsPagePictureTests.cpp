#include "companion/qt/ThemeQColor.h"
#include "settings/AdvancedSettingsTab.h"
#include "settings/SettingsTabs.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/support/qt/PicturePixels.h"
#include "ui/PurloCard.h"
#include "ui/PurloDisclosureGroup.h"
#include "ui/PurloPalette.h"

#include <QCoreApplication>
#include <QImage>
#include <QVBoxLayout>
#include <algorithm>
#include <gtest/gtest.h>

namespace purlo {
namespace {

// The settings each page is drawn with: one look saved, the focus rows that depend on a
// switch shown, and a custom reminder beside the built-in ones.
PurloSettings pictured() {
    return testing::settingsWith([](PurloSettings& settings) {
        settings.skin = CatSkinPreset::tuxedo;
        settings.savedCatProfiles = {CatProfile{.id = "mochi", .name = "Mochi"}};
        settings.quietHours.enabled = true;
        settings.scheduledNap.enabled = true;
        settings.habitReminders[0].enabled = true;
        settings.habitReminders.push_back({"custom-1", "Stand up", "", 30, true});
    });
}

// Every page drawn whole in both appearances, placed as the window places a page, and
// kept for a person to look at; its ground and its cards take the theme's colours.
TEST(Pictures, EveryPageDrawsInTheThemeOfItsAppearance) {
    for (const bool dark : {false, true}) {
        for (const SettingsSectionTab tab : allCases<SettingsSectionTab>()) {
            testing::RuntimeHarness harness(pictured());
            std::filesystem::create_directories(harness.folder / "home" / ".codex");
            harness.runtime().start();
            harness.runtime().startAgentIntegrations();
            testing::writeFile(harness.folder / "support" / "agent-event.json",
                               R"({"event":"thinking","source":"Codex"})");
            harness.loop.advance(1.1);

            QWidget window;
            window.setPalette(purloPalette(dark));
            window.setAutoFillBackground(true);
            auto* column = new QVBoxLayout(&window);
            column->setContentsMargins(24, 0, 24, 28);
            QWidget* page = makeSettingsTab(tab, harness.runtime());
            if (auto* help = dynamic_cast<AdvancedSettingsTab*>(page)) {
                help->supportReport().setExpanded(true);
                help->technicalDetails().setExpanded(true);
            }
            harness.runtime().copySupportReport();
            column->addWidget(page);
            column->addStretch(1);
            // Tall enough for the longest page.
            window.resize(560, std::max(760, window.sizeHint().height()));
            window.show();
            // The layouts settle on the event loop, as they do in the running program.
            QCoreApplication::sendPostedEvents();

            const QImage picture = window.grab().toImage();
            const std::string file =
                "settings-" + std::string(toString(tab)) + (dark ? "-dark" : "-light");
            if (const auto artifacts = testing::artifactsFolder()) {
                picture.save(artifacts->filePath(QString::fromStdString(file + ".png")));
            }
            EXPECT_EQ(testing::pixelAt(picture, {4, 4}),
                      themeQColor(PurloTheme::windowBackground, dark).rgb())
                << file;
            const PurloCard* card = page->findChild<PurloCard*>();
            ASSERT_NE(card, nullptr);
            EXPECT_EQ(
                testing::pixelAt(picture, card->mapTo(&window, QPoint(card->width() - 4, 20))),
                themeQColor(PurloTheme::cardBackground, dark).rgb())
                << file;
        }
    }
}

} // namespace
} // namespace purlo
