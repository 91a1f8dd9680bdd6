#include "settings/AdvancedSettingsTab.h"
#include "settings/controls/OpenFailureNote.h"
#include "tests/settings/SettingsDriving.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloDisclosureGroup.h"
#include "ui/PurloDivider.h"
#include "ui/PurloText.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::button;
using testing::click;
using testing::shownTexts;

// The texts the support card shows below its title, top to bottom.
QStringList supportCard(const AdvancedSettingsTab& tab) {
    const QStringList texts = shownTexts(tab);
    return texts.mid(texts.indexOf("Nothing is sent automatically.") + 1);
}

TEST(AdvancedSettingsTab, TheStatusLineFollowsEachSupportActionBetweenButtonsAndDetails) {
    testing::RuntimeHarness harness;
    AdvancedSettingsTab tab(harness.runtime());
    tab.show();
    EXPECT_EQ(shownTexts(tab),
              (QStringList{"Help", "Get Support", "Browse help or email us.", "Community",
                           "Feature requests and Purlo setups.", "Support Report",
                           "Create Support Report", "Nothing is sent automatically."}));
    EXPECT_EQ(testing::shownWidgets<PurloDivider>(tab).size(), 1);
    EXPECT_EQ(button(tab, "Copy Report"), nullptr) << "folded when the page is built";

    click(tab.supportReport().header());
    const QString hint = "Review the report before sharing it with support.";
    EXPECT_EQ(supportCard(tab), (QStringList{hint, "Technical Details"}));

    // The outcome shows between the hint and the folded details, or nothing does.
    const struct {
        const char* press;
        std::optional<std::filesystem::path> saveTo;
        bool mailOpens;
        QString status;
    } actions[] = {
        {"Copy Report", {}, true, "Support report copied."},
        {"Save Report\u2026", harness.folder / "report.txt", true, "Support report saved."},
        {"Save Report\u2026", std::nullopt, true, {}},
        {"Email\u2026",
         {},
         false,
         "Could not open support email draft. Copied support@purlo.example."},
        {"Email\u2026", {}, true, "Support email draft opened."},
    };
    for (const auto& [press, saveTo, mailOpens, status] : actions) {
        harness.savePanel.answer = saveTo;
        harness.urlOpener.accepts = mailOpens;
        click(*button(tab, press));
        QStringList expected{hint, status, "Technical Details"};
        expected.removeAll(QString());
        EXPECT_EQ(supportCard(tab), expected) << press;
    }
    EXPECT_EQ(harness.pasteboard.contents, "support@purlo.example");

    click(*button(tab, "Help"));
    click(*button(tab, "Purlo Community"));
    EXPECT_EQ(harness.urlOpener.opened.end()[-2], "https://purlo.example/help");
    EXPECT_EQ(harness.urlOpener.opened.back(), "https://community.purlo.example/");
}

// Where the desktop opens nothing, each link and "Email…" says so right under itself
// and puts the address on the clipboard; once the page opens, the line goes again.
TEST(OpenFailureNote, ALinkThatOpensNothingSaysSoUnderItAndCopiesTheAddress) {
    using enum SettingsSectionTab;
    const struct {
        SettingsSectionTab tab;
        const char* row; // the row holding the control, where its name is not its own
        const char* press;
        const char* line;
        const char* copied;
    } links[] = {
        {help, nullptr, "Help", "Could not open the page. Copied https://purlo.example/help.",
         "https://purlo.example/help"},
        {help, nullptr, "Email\u2026",
         "Could not open support email draft. Copied support@purlo.example.",
         "support@purlo.example"},
        {help, nullptr, "Purlo Community",
         "Could not open the page. Copied https://community.purlo.example/.",
         "https://community.purlo.example/"},
        {about, "Release Notes", "Open",
         "Could not open the page. Copied https://purlo.example/help#changelog.",
         "https://purlo.example/help#changelog"},
        {about, "Privacy Policy", "Open",
         "Could not open the page. Copied https://purlo.example/privacy.",
         "https://purlo.example/privacy"},
        {agent, nullptr, "Connection Help",
         "Could not open the page. Copied https://purlo.example/help#integrations.",
         "https://purlo.example/help#integrations"},
    };
    for (const auto& link : links) {
        testing::PageWindow page(link.tab);
        const QWidget* holder = link.row ? page.row(link.row) : page.tab;
        ASSERT_NE(holder, nullptr) << link.row;
        QAbstractButton* control = button(*holder, QString::fromUtf8(link.press));
        ASSERT_NE(control, nullptr) << link.press;
        const auto notes = [&page] {
            return testing::shownWidgets<OpenFailureNote>(*page.tab);
        };

        page.harness.urlOpener.accepts = false;
        click(*control);
        testing::settle();
        ASSERT_EQ(notes().size(), 1) << link.press;
        const OpenFailureNote& note = *notes().front();
        EXPECT_EQ(note.text(), QString::fromUtf8(link.line));
        EXPECT_EQ(page.harness.pasteboard.contents, link.copied) << link.press;
        const int below = note.mapTo(page.tab, QPoint()).y() -
                          control->mapTo(page.tab, QPoint(0, control->height())).y();
        EXPECT_TRUE(below >= 0 && below < 40) << link.press << ": " << below << " points under it";

        page.harness.urlOpener.accepts = true;
        click(*control);
        EXPECT_TRUE(notes().isEmpty()) << link.press;
    }
}

TEST(AdvancedSettingsTab, TechnicalDetailsShowEachDiagnosticsSampleAsItArrives) {
    testing::RuntimeHarness harness;
    AdvancedSettingsTab tab(harness.runtime());
    tab.show();
    tab.supportReport().setExpanded(true);
    tab.technicalDetails().setExpanded(true);
    const auto details = [&tab] {
        const QStringList texts = shownTexts(tab);
        return texts.mid(texts.indexOf("Technical Details") + 1);
    };
    EXPECT_EQ(details(), (QStringList{"Status", "Collecting", "Animation", "Collecting sample",
                                      "Memory", "Unavailable"}));

    harness.runtime().start();
    harness.loop.advance(1.05);
    const PurloDiagnosticsSnapshot& sample = *harness.runtime().diagnostics();
    ASSERT_GT(sample.sampleDuration, 0);
    EXPECT_EQ(details(),
              (QStringList{"Status", QString::fromUtf8(diagnosticsLevelLabel(sample.level)),
                           "Animation", "10 fps avg / 100 ms max", "Memory",
                           QString::fromStdString(sample.memorySummary())}));
}

// Folded, or with the window closed, the figures are not written, since a screen reader
// hears of every new text of a label, hidden or not; shown again, they are the latest.
TEST(AdvancedSettingsTab, TechnicalDetailsAreWrittenOnlyWhileTheyShow) {
    const std::pair<const char*, std::function<void(AdvancedSettingsTab&, bool)>> hidings[] = {
        {"details folded",
         [](AdvancedSettingsTab& tab, bool hidden) {
             tab.technicalDetails().setExpanded(!hidden);
         }},
        {"report folded",
         [](AdvancedSettingsTab& tab, bool hidden) {
             tab.supportReport().setExpanded(!hidden);
         }},
        {"window closed",
         [](AdvancedSettingsTab& tab, bool hidden) {
             tab.setVisible(!hidden);
         }},
    };
    for (const auto& [hiding, hide] : hidings) {
        testing::RuntimeHarness harness;
        AdvancedSettingsTab tab(harness.runtime());
        tab.show();
        tab.supportReport().setExpanded(true);
        tab.technicalDetails().setExpanded(true);
        const QList<PurloText*> figures =
            tab.technicalDetails().content().findChildren<PurloText*>();
        const auto written = [&figures] {
            QStringList texts;
            for (const PurloText* figure : figures) {
                texts.push_back(figure->text());
            }
            return texts.join(", ").toStdString();
        };
        const std::string collecting = written();
        hide(tab, true);
        harness.runtime().start();
        harness.loop.advance(1.05);
        EXPECT_EQ(written(), collecting) << hiding;
        hide(tab, false);
        EXPECT_THAT(written(), ::testing::HasSubstr("10 fps avg / 100 ms max")) << hiding;
    }
}

} // namespace
} // namespace purlo
