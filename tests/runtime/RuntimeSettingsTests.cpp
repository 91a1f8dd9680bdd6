#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::Deliveries;
using testing::RuntimeHarness;

class RuntimeSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        runtime.start();
        runtime.startAgentIntegrations();
    }

    void writeEvent(const std::string& json) {
        testing::writeFile(harness.folder / "support" / "agent-event.json", json);
    }
    void setAgentsEnabled(bool enabled) {
        harness.change(
            [&](PurloSettings& settings) { settings.localAgentBridgeEnabled = enabled; });
    }

    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
};

TEST_F(RuntimeSettingsTest, EachWriteSavesOnceAndDecidesTheKeyListenerAgain) {
    writeEvent(R"({"event":"thinking","source":"Codex"})");
    harness.loop.advance(1.1);
    ASSERT_EQ(runtime.agentEventHistory()->size(), 1U);
    ASSERT_TRUE(harness.keys.isListening());

    Deliveries history(runtime.agentEventHistory());
    Deliveries connections(runtime.agentConnections());
    const int writes = harness.store.writeCount;
    runtime.setSettings(*runtime.settings());
    EXPECT_EQ(harness.store.writeCount, writes + 1) << "unchanged bytes are written once";

    harness.change([](PurloSettings& settings) { settings.typingReactionsEnabled = false; });
    EXPECT_FALSE(harness.keys.isListening());
    EXPECT_FALSE(PurloSettings::load(harness.store).settings.typingReactionsEnabled);
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(connections.count(), 0);
    EXPECT_EQ(runtime.agentEventHistory()->size(), 1U);
}

TEST_F(RuntimeSettingsTest, SwitchingAgentsOffAndOnClearsTheHistoryAndNeverReplaysTheFile) {
    const auto gate = harness.folder / "support" / "Integrations" / "enabled";
    writeEvent(R"({"event":"thinking","source":"Codex"})");
    harness.loop.advance(1.1);
    ASSERT_EQ(runtime.agentEventHistory()->size(), 1U);
    ASSERT_TRUE(std::filesystem::exists(gate));

    Deliveries history(runtime.agentEventHistory());
    setAgentsEnabled(false);
    EXPECT_TRUE(runtime.agentEventHistory()->empty());
    EXPECT_EQ(history.count(), 1);
    EXPECT_FALSE(std::filesystem::exists(gate));
    EXPECT_EQ(runtime.agentConnections()->size(), 3U);

    // Written while agents were off: taken as seen when they come back on.
    writeEvent(R"({"event":"waiting","source":"Cursor"})");
    harness.loop.advance(1.1);
    setAgentsEnabled(true);
    EXPECT_EQ(history.count(), 2);
    EXPECT_TRUE(std::filesystem::exists(gate));
    harness.loop.advance(2.1);
    EXPECT_TRUE(runtime.agentEventHistory()->empty());

    writeEvent(R"({"event":"completed","source":"Cursor"})");
    harness.loop.advance(1.1);
    ASSERT_EQ(runtime.agentEventHistory()->size(), 1U);
    EXPECT_EQ(runtime.agentEventHistory()->back().kind, AgentEventKind::completed);
}

TEST_F(RuntimeSettingsTest, TheMinuteOfTheDayIsWorkedOutAgainWhenTheMinuteChanges) {
    EXPECT_EQ(runtime.minuteOfDay(testing::berlinJanuary(13, 23, 59, 59)), 1439);
    EXPECT_EQ(runtime.minuteOfDay(testing::berlinJanuary(14, 0, 0)), 0);
    EXPECT_EQ(runtime.minuteOfDay(testing::berlinJanuary(14, 0, 0, 59.9)), 0);
    EXPECT_EQ(runtime.minuteOfDay(testing::berlinJanuary(13, 23, 59, 59)), 1439);
}

} // namespace
} // namespace purlo
