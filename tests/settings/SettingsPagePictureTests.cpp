#include "companion/qt/ThemeQColor.h"
#include "settings/AdvancedSettingsTab.h"
#include "settings/BehaviorPage.h"
#include "settings/FocusSettingsTab.h"
#include "settings/IntegrationsSettingsTab.h"
#include "settings/PrivacySettingsTab.h"
#include "settings/UpdatesSettingsTab.h"
#include "tests/companion/BuildFolder.h"
#include "tests/support/RuntimeHarness.h"
#include "ui/PurloCard.h"
#include "ui/PurloDisclosureGroup.h"
#include "ui/PurloPalette.h"

#include <QCoreApplication>
#include <QImage>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace purlo {
namespace {

// Every page drawn whole in both appearances, placed as the window places a page, and
// kept for a person to look at; its ground and its cards take the theme's colours.
TEST(Pictures, EveryPageDrawsInTheThemeOfItsAppearance) {
    const std::pair<const char*, std::function<QWidget*(PurloRuntime&)>> pages[] = {
        {"agent",
         [](PurloRuntime& runtime) {
             return new IntegrationsSettingsTab(runtime);
         }},
        {"privacy",
         [](PurloRuntime& runtime) {
             return new PrivacySettingsTab(runtime);
         }},
        {"help",
         [](PurloRuntime& runtime) {
             auto* page = new AdvancedSettingsTab(runtime);
             page->supportReport().setExpanded(true);
             page->technicalDetails().setExpanded(true);
             runtime.copySupportReport();
             return page;
         }},
        {"about",
         [](PurloRuntime& runtime) {
             return new UpdatesSettingsTab(runtime);
         }},
        {"behavior",
         [](PurloRuntime& runtime) {
             return new BehaviorPage(runtime);
         }},
        {"focus",
         [](PurloRuntime& runtime) {
             PurloSettings settings = *runtime.settings();
             settings.quietHours.enabled = true;
             settings.scheduledNap.enabled = true;
             settings.habitReminders[0].enabled = true;
             settings.habitReminders.push_back({"custom-1", "Stand up", "", 30, true});
             runtime.setSettings(settings);
             return new FocusSettingsTab(runtime);
         }},
    };
    for (const bool dark : {false, true}) {
        for (const auto& [name, make] : pages) {
            testing::RuntimeHarness harness;
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
            QWidget* page = make(harness.runtime());
            column->addWidget(page);
            column->addStretch(1);
            // Tall enough for the longest page.
            window.resize(560, std::max(760, window.sizeHint().height()));
            window.show();
            // The layouts settle on the event loop, as they do in the running program.
            QCoreApplication::sendPostedEvents();

            const QImage picture = window.grab().toImage();
            const std::string file = std::string("settings-") + name + (dark ? "-dark" : "-light");
            if (const auto artifacts = testing::artifactsFolder()) {
                picture.save(artifacts->filePath(QString::fromStdString(file + ".png")));
            }
            EXPECT_EQ(picture.pixel(4, 4), themeQColor(PurloTheme::windowBackground, dark).rgb())
                << file;
            const PurloCard* card = page->findChild<PurloCard*>();
            ASSERT_NE(card, nullptr);
            EXPECT_EQ(picture.pixel(card->mapTo(&window, QPoint(card->width() - 4, 20))),
                      themeQColor(PurloTheme::cardBackground, dark).rgb())
                << file;
        }
    }
}

} // namespace
} // namespace purlo
