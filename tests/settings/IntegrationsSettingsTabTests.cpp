#include "settings/IntegrationsSettingsTab.h"
#include "tests/support/RuntimeHarness.h"
#include "tests/ui/WidgetDriving.h"
#include "ui/PurloDivider.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::accessible;
using testing::button;
using testing::click;
using testing::shownTexts;
using testing::shownWidgets;

// The agent page over a running runtime whose coding tools have been opened once
// (their folders exist), each tool unless the test says otherwise.
struct AgentPage {
    explicit AgentPage(std::vector<const char*> toolFolders = {".claude", ".codex", ".cursor"}) {
        for (const char* folder : toolFolders) {
            std::filesystem::create_directories(harness.folder / "home" / folder);
        }
        harness.runtime().start();
    }

    // Builds the page, as the window does each time the section is chosen.
    IntegrationsSettingsTab& open() {
        tab = std::make_unique<IntegrationsSettingsTab>(harness.runtime());
        tab->show();
        return *tab;
    }

    // A hook command writes an event; the runtime reads it within a second.
    void event(const std::string& kind, const std::string& source) {
        testing::writeFile(harness.folder / "support" / "agent-event.json",
                           R"({"event":")" + kind + R"(","source":")" + source + R"("})");
        harness.loop.advance(1.1);
    }

    // The status word beside each tool's name, in the order the rows show.
    std::vector<QString> statusWords() const {
        const QStringList texts = shownTexts(*tab);
        std::vector<QString> words;
        for (const char* tool : {"Claude Code", "Codex", "Cursor"}) {
            const auto name = texts.indexOf(tool);
            words.push_back(name >= 0 ? texts.value(name + 1) : QString());
        }
        return words;
    }

    // The recent activity as listed, top to bottom.
    QStringList recentActivity() const {
        QStringList listed;
        for (const QWidget* label : shownWidgets<QWidget>(*tab)) {
            if (label->accessibleName().contains(QStringLiteral(" \u00B7 "))) {
                listed.push_back(label->accessibleName());
            }
        }
        return listed;
    }

    testing::RuntimeHarness harness;
    std::unique_ptr<IntegrationsSettingsTab> tab;
};

TEST(IntegrationsSettingsTab, AReadyToolAnEventCameFromReadsConnectedOnlyWhileReactionsAreOn) {
    AgentPage page({".claude", ".codex"});
    page.harness.runtime().startAgentIntegrations();
    page.event("thinking", "Claude Code");
    page.event("waiting", "Cursor");
    page.open();
    EXPECT_EQ(page.statusWords(), (std::vector<QString>{"Connected", "Ready", "Not found"}));
    EXPECT_TRUE(shownTexts(*page.tab).contains(
        "Purlo sets up supported tools on this computer automatically."));
    EXPECT_EQ(page.recentActivity(),
              (QStringList{"Cursor \u00B7 Waiting", "Claude Code \u00B7 Thinking"}));
    EXPECT_EQ(shownWidgets<PurloDivider>(*page.tab).size(), 2) << "between rows, never after";

    click(*accessible(*page.tab, "Agent Reactions"));
    EXPECT_FALSE(page.harness.settings().localAgentBridgeEnabled);
    EXPECT_EQ(page.statusWords(), (std::vector<QString>{"Off", "Off", "Not found"}));
    EXPECT_TRUE(shownTexts(*page.tab).contains("Off. Purlo won\u2019t react to agent activity."));
    EXPECT_FALSE(shownTexts(*page.tab).contains("Recent Activity"));
    EXPECT_TRUE(page.recentActivity().isEmpty());
}

TEST(IntegrationsSettingsTab, RecentActivityListsTheThreeNewestEventsNewestFirst) {
    AgentPage page;
    page.harness.runtime().startAgentIntegrations();
    page.open();
    EXPECT_FALSE(shownTexts(*page.tab).contains("Recent Activity")) << "no events yet";
    const std::pair<const char*, const char*> events[] = {
        {"started", "Codex"},      {"thinking", "Cursor"},  {"waiting", "Codex"},
        {"failed", "Claude Code"}, {"completed", "Cursor"},
    };
    for (const auto& [kind, source] : events) {
        page.event(kind, source);
    }
    EXPECT_TRUE(shownTexts(*page.tab).contains("Recent Activity"));
    EXPECT_EQ(page.recentActivity(),
              (QStringList{"Cursor \u00B7 Done", "Claude Code \u00B7 Needs help",
                           "Codex \u00B7 Waiting"}));
    EXPECT_EQ(page.statusWords(), (std::vector<QString>{"Connected", "Connected", "Connected"}));
}

TEST(IntegrationsSettingsTab, TheToolsAreCheckedAgainOnAppearingAndOnCheckAgain) {
    AgentPage page({".claude"});
    page.open();
    EXPECT_TRUE(page.harness.runtime().agentConnections()->empty());
    EXPECT_EQ(page.statusWords(), (std::vector<QString>(3))) << "no rows before the manager";
    ASSERT_NE(button(*page.tab, "Check Again"), nullptr);
    click(*button(*page.tab, "Check Again"));

    page.harness.runtime().startAgentIntegrations();
    testing::Deliveries checks(page.harness.runtime().agentConnections());
    page.open();
    EXPECT_EQ(checks.count(), 1) << "appearing";
    EXPECT_EQ(page.statusWords(), (std::vector<QString>{"Ready", "Not found", "Not found"}));

    std::filesystem::create_directories(page.harness.folder / "home" / ".cursor");
    page.tab->hide();
    page.tab->show();
    EXPECT_EQ(checks.count(), 2) << "appearing again";
    std::filesystem::create_directories(page.harness.folder / "home" / ".codex");
    click(*button(*page.tab, "Check Again"));
    EXPECT_EQ(checks.count(), 3);
    EXPECT_EQ(page.statusWords(), (std::vector<QString>{"Ready", "Ready", "Ready"}));

    click(*button(*page.tab, "Connection Help"));
    EXPECT_EQ(page.harness.urlOpener.opened,
              std::vector<std::string>{"https://purlo.example/help#integrations"});
}

} // namespace
} // namespace purlo
