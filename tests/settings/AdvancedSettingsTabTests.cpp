#include "settings/AdvancedSettingsTab.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloDisclosureGroup.h"
#include "ui/PurloDivider.h"

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

    const struct {
        const char* press;
        std::optional<std::filesystem::path> saveTo;
        bool mailOpens;
        QStringList shown;
    } actions[] = {
        {"Copy Report", {}, true, {hint, "Support report copied.", "Technical Details"}},
        {"Save Report\u2026",
         harness.folder / "report.txt",
         true,
         {hint, "Support report saved.", "Technical Details"}},
        {"Save Report\u2026", std::nullopt, true, {hint, "Technical Details"}},
        {"Email\u2026",
         {},
         false,
         {hint, "Could not open support email draft. Copied support@purlo.example.",
          "Technical Details"}},
        {"Email\u2026", {}, true, {hint, "Support email draft opened.", "Technical Details"}},
    };
    for (const auto& [press, saveTo, mailOpens, shown] : actions) {
        harness.savePanel.answer = saveTo;
        harness.urlOpener.accepts = mailOpens;
        click(*button(tab, press));
        EXPECT_EQ(supportCard(tab), shown) << press;
    }
    EXPECT_EQ(harness.pasteboard.contents, "support@purlo.example");

    click(*button(tab, "Help"));
    click(*button(tab, "Purlo Community"));
    EXPECT_EQ(harness.urlOpener.opened.end()[-2], "https://purlo.example/help");
    EXPECT_EQ(harness.urlOpener.opened.back(), "https://community.purlo.example/");
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

} // namespace
} // namespace purlo
