#include "settings/UpdatesSettingsTab.h"
#include "settings/controls/OpenFailureNote.h"
#include "tests/integrations/UpdateManifestSamples.h"
#include "tests/support/FakeUpdateServices.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloToggle.h"

#include <QSysInfo>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::accessible;
using testing::button;
using testing::click;
using testing::shownTexts;

// The updates card's texts: its row title and subtitle, between the two group labels.
QStringList updatesRow(const QWidget& tab) {
    const QStringList texts = shownTexts(tab);
    const auto start = texts.indexOf("Updates") + 1;
    return texts.mid(start, texts.indexOf("More") - start);
}

PurloUpdateManifest offeredAt(const char* downloadURL) {
    PurloUpdateManifest manifest = testing::validManifest();
    manifest.downloadURL = Url::parse(downloadURL);
    return manifest;
}

TEST(UpdatesSettingsTab, TheWebsiteCheckGoesFromReadyThroughCheckingToWhatItFound) {
    testing::RuntimeHarness harness;
    auto checker = std::make_unique<testing::FakeUpdateChecker>();
    testing::FakeUpdateChecker& website = *checker;
    harness.updateChecker = std::move(checker);
    UpdatesSettingsTab tab(harness.runtime());
    tab.show();
    EXPECT_EQ(updatesRow(tab), (QStringList{"Ready", "Check for updates whenever you like."}));
    EXPECT_EQ(button(tab, "Download\u2026"), nullptr);

    const struct {
        PurloUpdateCheckOutcome outcome;
        QStringList row;
        bool download;
    } checks[] = {
        {PurloUpdateCheckResult::upToDate(testing::validManifest()),
         {"Up to date", "Purlo 2.0 (200) is up to date."},
         false},
        {PurloUpdateCheckResult::updateAvailable(
             offeredAt("https://downloads.purlo.example/Purlo-2.0.dmg")),
         {"Update available", "Purlo 2.0 (200) is ready to download."},
         true},
        {PurloUpdateCheckResult::updateAvailable(
             offeredAt("https://elsewhere.example/Purlo-2.0.dmg")),
         {"Update available", "Purlo 2.0 (200) is ready to download."},
         false},
        {PurloUpdateCheckFailure(PurloUpdateCheckError::rejected(503)),
         {"Unavailable", "The update service is unavailable. Try again later."},
         false},
    };
    for (const auto& [outcome, row, download] : checks) {
        click(*button(tab, "Check Now"));
        EXPECT_EQ(updatesRow(tab), (QStringList{"Checking...", "Checking for updates."}));
        EXPECT_FALSE(button(tab, "Check Now")->isEnabled());
        website.answer(outcome);
        EXPECT_EQ(updatesRow(tab), row);
        EXPECT_TRUE(button(tab, "Check Now")->isEnabled());
        EXPECT_EQ(button(tab, "Download\u2026") != nullptr, download)
            << row.join(" / ").toStdString();
        if (download) {
            click(*button(tab, "Download\u2026"));
            EXPECT_EQ(harness.urlOpener.opened.back(),
                      "https://downloads.purlo.example/Purlo-2.0.dmg");
            EXPECT_TRUE(testing::shownWidgets<OpenFailureNote>(tab).isEmpty());
            // A browser that takes nothing is no silent click.
            harness.urlOpener.accepts = false;
            click(*button(tab, "Download\u2026"));
            const auto notes = testing::shownWidgets<OpenFailureNote>(tab);
            ASSERT_EQ(notes.size(), 1);
            EXPECT_EQ(notes.front()->text(), "Could not open the page. Copied "
                                             "https://downloads.purlo.example/Purlo-2.0.dmg.");
            harness.urlOpener.accepts = true;
        }
    }
}

TEST(UpdatesSettingsTab, TheUpdateFrameworksSwitchesWriteThroughAndFollowWhatItAllows) {
    for (const bool allows : {true, false}) {
        testing::RuntimeHarness harness;
        auto framework = std::make_unique<testing::FakeAutomaticUpdater>();
        testing::FakeAutomaticUpdater& updater = *framework;
        updater.allowsAutomatic = allows;
        harness.automaticUpdater = std::move(framework);
        UpdatesSettingsTab tab(harness.runtime());
        tab.show();
        EXPECT_EQ(button(tab, "Check Now"), nullptr) << "no website check with a framework";

        auto* checks =
            qobject_cast<PurloToggle*>(accessible(tab, "Check for updates automatically"));
        ASSERT_NE(checks, nullptr);
        click(*checks);
        EXPECT_TRUE(updater.checksAutomatically);
        EXPECT_TRUE(qobject_cast<PurloToggle*>(accessible(tab, "Check for updates automatically"))
                        ->isChecked());

        QWidget* downloads = accessible(tab, "Download updates automatically");
        EXPECT_EQ(downloads->isEnabled(), allows);
        click(*downloads);
        EXPECT_EQ(updater.downloadsAutomatically, allows);

        click(*button(tab, "Check Now\u2026"));
        EXPECT_EQ(updater.checkCount, 1);
        updater.canCheck = false;
        harness.runtime().setAutomaticallyChecksForUpdates(true); // anything that announces
        EXPECT_FALSE(button(tab, "Check Now\u2026")->isEnabled());
    }
}

TEST(UpdatesSettingsTab, CopyDeviceInfoPutsExactlyTwoLinesOnTheClipboardAndSaysSo) {
    testing::RuntimeHarness harness;
    UpdatesSettingsTab tab(harness.runtime());
    tab.show();
    EXPECT_FALSE(shownTexts(tab).contains("Copied"));
    for (const bool accepts : {false, true}) {
        harness.pasteboard.accepts = accepts;
        click(*button(tab, "Copy Device Info"));
        const QStringList texts = shownTexts(tab);
        EXPECT_EQ(texts.contains("Copied"), accepts);
        EXPECT_EQ(texts.contains("Could not copy"), !accepts);
    }
    const QString copied = QString::fromStdString(*harness.pasteboard.contents);
    EXPECT_EQ(copied.split('\n'),
              (QStringList{"Purlo Unavailable (Unavailable)", QSysInfo::prettyProductName()}));

    click(*button(tab, "Open"));
    EXPECT_EQ(harness.urlOpener.opened,
              std::vector<std::string>{"https://purlo.example/help#changelog"});
}

} // namespace
} // namespace purlo
