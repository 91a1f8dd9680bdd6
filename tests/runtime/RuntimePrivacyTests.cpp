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

TEST(RuntimePermission, AGrantEndsThePollAndStartsTheKeyListener) {
    RuntimeHarness harness;
    harness.keys.granted = false;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.requestInputMonitoringPermission();
    const std::size_t withTick = harness.loop.activeTimerCount();
    ASSERT_EQ(withTick, 2U);
    EXPECT_EQ(typingRow(runtime), PurloPrivacySignal::State::needsPermission);

    harness.keys.granted = true;
    // Granted meanwhile, but not yet looked at: the status shows what was published.
    EXPECT_EQ(typingRow(runtime), PurloPrivacySignal::State::needsPermission);
    harness.loop.advance(1.0);
    EXPECT_TRUE(runtime.privacySummary()->inputMonitoringGranted);
    EXPECT_EQ(typingRow(runtime), PurloPrivacySignal::State::active);
    EXPECT_TRUE(harness.keys.isListening());
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U) << "only the tick is left";
}

TEST(RuntimePermission, ARequestThatIsGrantedAtOncePublishesAtOnce) {
    RuntimeHarness harness;
    harness.keys.granted = false;
    PurloRuntime& runtime = harness.runtime();
    Deliveries summary(runtime.privacySummary());
    harness.keys.granted = true;
    runtime.requestInputMonitoringPermission();
    EXPECT_EQ(summary.count(), 1);
    harness.loop.advance(1);
    EXPECT_EQ(harness.loop.activeTimerCount(), 0U);
    EXPECT_EQ(summary.count(), 1);
}

TEST(RuntimeDesktop, BecomingActiveRechecksThePermission) {
    RuntimeHarness harness;
    harness.keys.granted = false;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.addDesktopObservers();
    EXPECT_EQ(harness.observers.observerCount(), 3U) << "added once";
    harness.keys.granted = true;
    harness.observers.becomeActive();
    EXPECT_TRUE(runtime.privacySummary()->inputMonitoringGranted);
    runtime.stop();
    harness.keys.granted = false;
    harness.observers.becomeActive();
    EXPECT_TRUE(runtime.privacySummary()->inputMonitoringGranted) << "no longer observed";
}

TEST(RuntimeAgents, IntegrationsStartFromTheAgentSwitchAndTheStatusListsTheHistory) {
    for (const bool enabled : {true, false}) {
        RuntimeHarness harness;
        PurloSettings settings;
        settings.localAgentBridgeEnabled = enabled;
        harness.storeSettings(settings);
        PurloRuntime& runtime = harness.runtime();
        EXPECT_EQ(runtime.agentIntegrationManager(), nullptr);
        runtime.start();
        runtime.startAgentIntegrations();
        ASSERT_NE(runtime.agentIntegrationManager(), nullptr);
        EXPECT_EQ(runtime.agentConnections()->size(), 3U);
        EXPECT_EQ(std::filesystem::exists(harness.folder / "support" / "Integrations" / "enabled"),
                  enabled);

        const AgentBridgeStatus empty = runtime.agentBridgeStatus();
        EXPECT_EQ(empty.enabled, enabled);
        EXPECT_EQ(empty.eventFilePath, (harness.folder / "support" / "agent-event.json").string());
        EXPECT_TRUE(empty.recentEvents.empty());
    }

    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    for (const char* kind : {"started", "thinking"}) {
        testing::writeFile(harness.folder / "support" / "agent-event.json",
                           std::string(R"({"event":")") + kind + R"(","source":"Codex"})");
        harness.loop.advance(1.05);
    }
    const AgentBridgeStatus status = runtime.agentBridgeStatus();
    ASSERT_EQ(status.recentEvents.size(), 2U);
    EXPECT_EQ(status.recentEvents[0].statusText, "Started");
    EXPECT_EQ(status.recentEvents[1].statusText, "Thinking");
}

TEST(RuntimeUpdates, OneWebsiteCheckAtATimeAndItsOutcomePublished) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    EXPECT_EQ(runtime.updatePresentation(),
              PurloUpdatePresentation::manual(PurloUpdateCheckState::idle()));
    EXPECT_FALSE(runtime.automaticallyChecksForUpdates());

    runtime.checkForUpdates();
    runtime.checkForUpdates();
    EXPECT_EQ(harness.updateChecker->asked.size(), 1U);
    EXPECT_FALSE(runtime.canCheckForUpdates());
    runtime.openUpdateDownloadPage();
    EXPECT_TRUE(harness.urlOpener.opened.empty());

    harness.updateChecker->answer(PurloUpdateCheckFailure{PurloUpdateCheckError::rejected(503)});
    EXPECT_EQ(runtime.updateCheckState()->statusText(),
              "The update service is unavailable. Try again later.");
    EXPECT_TRUE(runtime.canCheckForUpdates());

    runtime.checkForUpdates();
    harness.updateChecker->answer(
        PurloUpdateCheckResult::updateAvailable(testing::validManifest("2.0", "200")));
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
