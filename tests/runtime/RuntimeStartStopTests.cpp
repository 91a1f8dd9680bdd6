#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::RuntimeHarness;

TEST(RuntimeStartStop, SheStartsWhereSheWasLeftSayingMeowAndNothingRunsBeforeStart) {
    for (const auto& [stored, expected] :
         {std::pair{std::optional<CompanionPlacement>{}, Point{96, 120}},
          {CompanionPlacement{700, 333}, Point{700, 333}}}) {
        RuntimeHarness harness(testing::settingsWith(
            [&](PurloSettings& settings) { settings.companionPlacement = stored; }));
        const PurloRuntime& runtime = harness.runtime();
        EXPECT_EQ(runtime.scene()->position, expected);
        EXPECT_EQ(runtime.behaviorEngine().state.position, expected);
        EXPECT_EQ(runtime.scene()->message,
                  (CompanionMessage{"meow", CompanionMessage::Kind::soft}));
        EXPECT_TRUE(*runtime.companionAcceptsMouse());
        EXPECT_EQ(harness.loop.activeTimerCount() + harness.observers.observerCount(), 0U);
        EXPECT_EQ(harness.keys.listenAttemptCount, 0);
    }
}

TEST(RuntimeStartStop, StartingTwiceMakesOneTimerAndStampsTheLastSeenTimeOnce) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    const auto stamped = harness.store.date(PurloRuntime::lastSeenKey);
    ASSERT_EQ(stamped, harness.clock.now());
    harness.clock.advance(30);
    runtime.start();
    EXPECT_EQ(harness.store.date(PurloRuntime::lastSeenKey), stamped);
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
    EXPECT_EQ(harness.observers.observerCount(), 3U);
}

TEST(RuntimeStartStop, TicksTenTimesASecondAndStampsTheLastSeenTimeOnceAMinute) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    const int writes = harness.store.writeCount;
    harness.loop.advance(59.95);
    EXPECT_NEAR(runtime.diagnostics()->tickRate, 10, 0.01);
    EXPECT_EQ(runtime.diagnostics()->level, PurloDiagnosticsLevel::steady);
    EXPECT_EQ(harness.store.writeCount, writes);
    harness.loop.advance(0.2);
    EXPECT_EQ(harness.store.writeCount, writes + 1);
    EXPECT_NEAR(harness.clock.now().secondsSince(*harness.store.date(PurloRuntime::lastSeenKey)), 0,
                0.2);
}

TEST(RuntimeStartStop, TheAbsenceIsMeasuredAtEveryStartAndNeverNegative) {
    for (const auto& [lastSeenAgo, absence] :
         {std::pair{std::optional<double>{}, 0.0}, {3600, 3600}, {-500, 0}}) {
        RuntimeHarness harness;
        if (lastSeenAgo) {
            harness.store.setDate(PurloRuntime::lastSeenKey,
                                  harness.clock.now().addingSeconds(-*lastSeenAgo));
        }
        harness.runtime().start();
        EXPECT_EQ(harness.runtime().storedAbsenceSeconds(), absence);
    }

    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    harness.loop.advance(30);
    runtime.stop();
    harness.clock.advance(7200);
    runtime.start();
    EXPECT_NEAR(runtime.storedAbsenceSeconds(), 7230, 1e-3);
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
}

TEST(RuntimeStartStop, StopUndoesStartRemovesOnlyItsOwnGateAndIsHarmlessTwice) {
    RuntimeHarness harness;
    harness.applications.application = FrontmostApplication{"Terminal", "org.gnome.Terminal"};
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.startAgentIntegrations();
    const auto gate = harness.folder / "support" / "Integrations" / "enabled";
    ASSERT_TRUE(std::filesystem::exists(gate));
    ASSERT_EQ(runtime.activeApp()->name, "Terminal");

    runtime.stop();
    EXPECT_FALSE(std::filesystem::exists(gate));
    EXPECT_EQ(harness.loop.activeTimerCount() + harness.observers.observerCount(), 0U);
    EXPECT_FALSE(harness.keys.isListening());
    EXPECT_EQ(*runtime.activeApp(), ActiveAppSnapshot{});
    EXPECT_EQ(runtime.tickInputCache(), PurloRuntimeTickInputCache{});

    testing::writeFile(gate, "1 another-session");
    runtime.stop();
    EXPECT_EQ(testing::readFile(gate), "1 another-session");

    // Undecided again, so the next start switches the listener on afresh.
    runtime.start();
    EXPECT_TRUE(harness.keys.isListening());
}

} // namespace
} // namespace purlo
