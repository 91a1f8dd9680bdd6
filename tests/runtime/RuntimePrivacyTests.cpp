#include "tests/integrations/UpdateManifestSamples.h"
#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::Deliveries;
using testing::RuntimeHarness;

PurloPrivacySignal::State typingRow(const PurloRuntime& runtime) {
    return runtime.privacyStatus().signals.at(1).state;
}

TEST(RuntimePermission, PollingChecksOnceASecondUntilGrantedOrNinetyTimes) {
    RuntimeHarness harness;
    harness.keys.granted = false;
    PurloRuntime& runtime = harness.runtime();
    runtime.requestInputMonitoringPermission();
    EXPECT_EQ(harness.keys.requestCount, 1);
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
    harness.loop.advance(89.5);
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
    harness.loop.advance(1);
    EXPECT_EQ(harness.loop.activeTimerCount(), 0U) << "gave up after 90 checks";

    // A second request restarts the count, and one poll runs at a time.
    runtime.requestInputMonitoringPermission();
    harness.loop.advance(50.5);
    runtime.requestInputMonitoringPermission();
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
    harness.loop.advance(89);
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
    harness.loop.advance(1);
    EXPECT_EQ(harness.loop.activeTimerCount(), 0U);
}

TEST(RuntimePermission, AGrantEndsThePollAndShowsOnceLookedAt) {
    RuntimeHarness harness;
    harness.keys.granted = false;
    PurloRuntime& runtime = harness.runtime();
    runtime.requestInputMonitoringPermission();
    harness.keys.granted = true;
    // Granted meanwhile, not yet looked at: the status shows what was published.
    EXPECT_EQ(typingRow(runtime), PurloPrivacySignal::State::needsPermission);
    harness.loop.advance(1.0);
    EXPECT_EQ(typingRow(runtime), PurloPrivacySignal::State::active);
    EXPECT_EQ(harness.loop.activeTimerCount(), 0U);

    // Becoming active looks again, while the observers are there.
    runtime.start();
    harness.keys.granted = false;
    harness.observers.becomeActive();
    EXPECT_FALSE(runtime.privacySummary()->inputMonitoringGranted);
}

TEST(RuntimeAgents, IntegrationsFollowTheAgentSwitchAndTheStatusListsTheHistory) {
    for (const bool enabled : {true, false}) {
        RuntimeHarness harness(testing::settingsWith(
            [&](PurloSettings& settings) { settings.localAgentBridgeEnabled = enabled; }));
        PurloRuntime& runtime = harness.runtime();
        runtime.start();
        runtime.startAgentIntegrations();
        EXPECT_EQ(runtime.agentConnections()->size(), 3U);
        EXPECT_EQ(std::filesystem::exists(harness.folder / "support" / "Integrations" / "enabled"),
                  enabled);
        EXPECT_EQ(runtime.agentBridgeStatus().enabled, enabled);
    }

    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    EXPECT_TRUE(runtime.agentBridgeStatus().recentEvents.empty());
    for (const char* kind : {"started", "thinking"}) {
        testing::writeFile(harness.folder / "support" / "agent-event.json",
                           std::string(R"({"event":")") + kind + R"(","source":"Codex"})");
        harness.loop.advance(1.05);
    }
    const AgentBridgeStatus status = runtime.agentBridgeStatus();
    EXPECT_EQ(status.eventFilePath, (harness.folder / "support" / "agent-event.json").string());
    ASSERT_EQ(status.recentEvents.size(), 2U);
    EXPECT_EQ(status.recentEvents[0].statusText, "Started");
    EXPECT_EQ(status.recentEvents[1].statusText, "Thinking");
}

TEST(RuntimeUpdates, TheWebsiteCheckReportsIntoThePublishedStateAndOpensItsDownload) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.checkForUpdates();
    runtime.checkForUpdates();
    EXPECT_EQ(harness.updateChecker->asked.size(), 1U);
    EXPECT_EQ(harness.updateChecker->asked[0].version, "Unavailable") << "the bundle's own";
    runtime.openUpdateDownloadPage();
    EXPECT_TRUE(harness.urlOpener.opened.empty());
    harness.updateChecker->answer(
        PurloUpdateCheckResult::updateAvailable(testing::validManifest("2.0", "200")));
    EXPECT_EQ(runtime.updateCheckState()->statusText(), "Purlo 2.0 (200) is ready to download.");
    runtime.openUpdateDownloadPage();
    EXPECT_EQ(harness.urlOpener.opened,
              std::vector<std::string>{"https://downloads.purlo.example/Purlo-2.0.dmg"});

    // Without an update framework the switches keep reading off, and the about tab
    // hears about the write so that it shows so.
    Deliveries state(runtime.updateCheckState());
    runtime.setAutomaticallyDownloadsUpdates(true);
    runtime.setAutomaticallyChecksForUpdates(true);
    EXPECT_EQ(state.count(), 2);
    EXPECT_FALSE(runtime.automaticallyDownloadsUpdates());
    EXPECT_FALSE(runtime.automaticallyChecksForUpdates());
}

} // namespace
} // namespace purlo
