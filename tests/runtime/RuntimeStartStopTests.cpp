#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::berlinJanuary;
using testing::RuntimeHarness;

TEST(RuntimeComposition, StartsWhereSheWasLeftSayingMeowAndTakingTheMouse) {
    const struct {
        std::optional<CompanionPlacement> stored;
        Point expected;
    } cases[] = {
        {std::nullopt, {96, 120}},
        {CompanionPlacement{700, 333}, {700, 333}},
    };
    for (const auto& [stored, expected] : cases) {
        RuntimeHarness harness;
        PurloSettings settings;
        settings.companionPlacement = stored;
        harness.storeSettings(settings);
        const PurloRuntime& runtime = harness.runtime();
        EXPECT_EQ(runtime.scene()->position, expected);
        EXPECT_EQ(runtime.behaviorEngine().state.position, expected);
        EXPECT_EQ(runtime.scene()->message,
                  (CompanionMessage{"meow", CompanionMessage::Kind::soft}));
        EXPECT_TRUE(*runtime.companionAcceptsMouse());
        EXPECT_EQ(*runtime.activeApp(), ActiveAppSnapshot{});
        EXPECT_FALSE(runtime.isRunning());
        // Nothing starts before start: no timer, no observer, no key listener.
        EXPECT_EQ(harness.loop.activeTimerCount(), 0U);
        EXPECT_EQ(harness.observers.observerCount(), 0U);
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

TEST(RuntimeStartStop, TicksTenTimesASecondAndGradesEachSecond) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    EXPECT_EQ(*runtime.diagnostics(), PurloDiagnosticsSnapshot{});
    harness.loop.advance(1.05);
    EXPECT_NEAR(runtime.diagnostics()->tickRate, 10, 0.01);
    EXPECT_EQ(runtime.diagnostics()->level, PurloDiagnosticsLevel::steady);
}

TEST(RuntimeStartStop, TheAbsenceIsMeasuredAtEveryStartAndNeverNegative) {
    RuntimeHarness harness;
    const struct {
        std::optional<double> lastSeenAgo;
        double absence;
    } cases[] = {
        {std::nullopt, 0}, {3600, 3600}, {-500, 0}, // the clock was set back
    };
    for (const auto& [lastSeenAgo, absence] : cases) {
        RuntimeHarness fresh;
        if (lastSeenAgo) {
            fresh.store.setDate(PurloRuntime::lastSeenKey,
                                fresh.clock.now().addingSeconds(-*lastSeenAgo));
        }
        fresh.runtime().start();
        EXPECT_EQ(fresh.runtime().storedAbsenceSeconds(), absence);
        EXPECT_EQ(fresh.store.date(PurloRuntime::lastSeenKey), fresh.clock.now());
    }

    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    harness.loop.advance(30);
    runtime.stop();
    harness.clock.advance(7200);
    runtime.start();
    EXPECT_NEAR(runtime.storedAbsenceSeconds(), 7230, 1e-3);
}

TEST(RuntimeStartStop, TheTickStampsTheLastSeenTimeOnceAMinute) {
    RuntimeHarness harness;
    harness.runtime().start();
    const int writesAtStart = harness.store.writeCount;
    harness.loop.advance(59.95);
    EXPECT_EQ(harness.store.writeCount, writesAtStart);
    harness.loop.advance(0.2);
    EXPECT_EQ(harness.store.writeCount, writesAtStart + 1);
    const auto stamped = harness.store.date(PurloRuntime::lastSeenKey);
    ASSERT_TRUE(stamped);
    EXPECT_NEAR(harness.clock.now().secondsSince(*stamped), 0, 0.2);
}

TEST(RuntimeStartStop, StopUndoesStartAndIsHarmlessTwice) {
    RuntimeHarness harness;
    harness.applications.application = FrontmostApplication{"Terminal", "org.gnome.Terminal"};
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.startAgentIntegrations();
    const auto gate = harness.folder / "support" / "Integrations" / "enabled";
    ASSERT_TRUE(std::filesystem::exists(gate));
    ASSERT_EQ(runtime.activeApp()->name, "Terminal");
    ASSERT_TRUE(harness.keys.isListening());

    runtime.stop();
    EXPECT_FALSE(std::filesystem::exists(gate));
    EXPECT_FALSE(runtime.isRunning());
    EXPECT_EQ(harness.loop.activeTimerCount(), 0U);
    EXPECT_EQ(harness.observers.observerCount(), 0U);
    EXPECT_FALSE(harness.keys.isListening());
    EXPECT_EQ(*runtime.activeApp(), ActiveAppSnapshot{});
    EXPECT_EQ(runtime.tickInputCache(), PurloRuntimeTickInputCache{});

    // Another copy's gate is left to it.
    testing::writeFile(gate, "1 another-session");
    runtime.stop();
    EXPECT_EQ(testing::readFile(gate), "1 another-session");
    EXPECT_EQ(*runtime.activeApp(), ActiveAppSnapshot{});
}

TEST(RuntimeStartStop, ARestartDecidesTheKeyListenerAfresh) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.stop();
    const int listens = harness.keys.listenCount;
    runtime.start();
    EXPECT_TRUE(harness.keys.isListening());
    EXPECT_EQ(harness.keys.listenCount, listens + 1);
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
}

} // namespace
} // namespace purlo
