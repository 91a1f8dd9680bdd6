#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::berlinJanuary;
using testing::RuntimeHarness;

TEST(RuntimeSamples, TheFrontmostAppIsAskedForAtMostEveryTwoSeconds) {
    RuntimeHarness harness;
    harness.applications.application = FrontmostApplication{"Terminal", "org.gnome.Terminal"};
    PurloRuntime& runtime = harness.runtime();
    const struct {
        double at;
        int reads;
    } ticks[] = {{1000, 1}, {1001.9, 1}, {1002.0, 2}, {1003.99, 2}, {1004.0, 3}};
    for (const auto& [at, reads] : ticks) {
        EXPECT_EQ(runtime.sampleActiveApp(true, at).name, "Terminal");
        EXPECT_EQ(harness.applications.readCount, reads) << at;
    }
}

TEST(RuntimeSamples, WhetherTheAppIsNeededFollowsPresenceAwarenessNapAndQuiet) {
    using enum CompanionPresenceMode;
    const struct {
        CompanionPresenceMode presence;
        bool awareness;
        bool napping;
        bool quiet;
        bool read;
    } cases[] = {
        {floatAboveApps, true, false, false, true},
        {floatAboveApps, true, true, false, false},
        {floatAboveApps, true, false, true, false},
        {floatAboveApps, false, false, false, false},
        // Hiding while other apps are in front needs them at all times.
        {autoHideWhenAppsActive, false, true, false, true},
        {autoHideWhenAppsActive, false, false, true, true},
        {desktopLevel, false, false, false, false},
    };
    for (const auto& [presence, awareness, napping, quiet, read] : cases) {
        SCOPED_TRACE(::testing::Message() << toString(presence) << " aware " << awareness
                                          << " napping " << napping << " quiet " << quiet);
        RuntimeHarness harness;
        harness.applications.application = FrontmostApplication{"Terminal", std::nullopt};
        PurloSettings settings;
        settings.companionPresenceMode = presence;
        settings.activeAppAwarenessEnabled = awareness;
        harness.storeSettings(settings);
        const auto samples =
            harness.runtime().collectTickSamples(napping, quiet, std::nullopt, 1000);
        EXPECT_EQ(samples.activeApp.name, read ? "Terminal" : "Unknown");
        EXPECT_EQ(harness.applications.readCount, read ? 1 : 0);
    }
}

TEST(RuntimeSamples, AnAppNotNeededForAWhileIsReadAtOnceWhenNeededAgain) {
    RuntimeHarness harness;
    harness.applications.application = FrontmostApplication{"Terminal", std::nullopt};
    PurloRuntime& runtime = harness.runtime();
    runtime.collectTickSamples(false, false, std::nullopt, 1000);
    runtime.collectTickSamples(false, true, std::nullopt, 1000.5);
    EXPECT_EQ(runtime.tickInputCache().activeApp, ActiveAppSnapshot{});
    EXPECT_EQ(runtime.tickInputCache().lastActiveAppSampleTime, std::nullopt);
    runtime.collectTickSamples(false, false, std::nullopt, 1000.6);
    EXPECT_EQ(harness.applications.readCount, 2);
}

TEST(RuntimeSamples, ANapSilencesEverythingButTheClockOfFocus) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.startFocus();
    harness.keys.press(3);
    testing::writeFile(harness.folder / "support" / "agent-event.json",
                       R"({"event":"thinking","source":"Codex"})");
    const double focusEnd = *runtime.pomodoro()->phaseEndsAt;
    const auto samples = runtime.collectTickSamples(true, false, std::nullopt, focusEnd);
    EXPECT_EQ(samples.pomodoroEvent, PomodoroEvent::focusCompleted(1));
    EXPECT_EQ(samples.pomodoroState.mode, PomodoroController::State::Mode::rest);
    EXPECT_EQ(samples.typing, TypingSnapshot{});
    EXPECT_EQ(samples.agentEvent, AgentEventSnapshot::empty());
    EXPECT_TRUE(samples.agentEventHistory.empty());
    EXPECT_EQ(samples.reminder, std::nullopt);

    // The file written during the nap counts as seen.
    runtime.collectTickSamples(false, false, std::nullopt, focusEnd + 1);
    EXPECT_EQ(runtime.tickInputCache().agentEvent, AgentEventSnapshot::empty());
}

TEST(RuntimeSamples, TheAgentFileIsLookedAtOnceASecondAndTheHistoryCopied) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    const auto file = harness.folder / "support" / "agent-event.json";
    runtime.sampleAgentEvent(true, 1000);
    testing::writeFile(file, R"({"event":"thinking","source":"Codex"})");
    EXPECT_EQ(runtime.sampleAgentEvent(true, 1000.9), AgentEventSnapshot::empty());
    const AgentEventSnapshot thinking{AgentEventKind::thinking, "Codex", std::nullopt, 1001.0,
                                      1061.0};
    EXPECT_EQ(runtime.sampleAgentEvent(true, 1001.0), thinking);
    EXPECT_EQ(runtime.tickInputCache().agentEventHistory, std::vector{thinking});

    // Off, the bridge forgets its history at once, every tick.
    EXPECT_EQ(runtime.sampleAgentEvent(false, 1001.1), AgentEventSnapshot::empty());
    EXPECT_TRUE(runtime.agentEventBridge().eventHistory().empty());
    EXPECT_EQ(runtime.tickInputCache().lastAgentEventSampleTime, std::nullopt);
}

TEST(RuntimeSamples, RemindersWaitForAnAnnouncedNapAndTheNapAfterIt) {
    RuntimeHarness harness(berlinJanuary(13, 13, 5));
    PurloSettings settings;
    settings.stretchReminderMinutes = 1;
    settings.scheduledNap =
        ScheduledNapSchedule{true, 13, 0, PurloNapDuration::fifteenMinutes, true, std::nullopt};
    harness.storeSettings(settings);
    PurloRuntime& runtime = harness.runtime();
    const auto samplesAt = [&](double uptime, bool napping = false,
                               std::optional<ReminderEvent> announcement = std::nullopt) {
        return runtime.collectTickSamples(napping, false, std::move(announcement), uptime).reminder;
    };

    EXPECT_EQ(samplesAt(1000), std::nullopt) << "the first evaluation only arms";
    auto announcement = runtime.runScheduledNapStep(harness.clock.now(), false, 1059);
    ASSERT_TRUE(announcement);
    EXPECT_EQ(samplesAt(1059, false, announcement), announcement);
    EXPECT_EQ(samplesAt(1061), std::nullopt) << "the stretch waits for the announced nap";
    runtime.runScheduledNapStep(harness.clock.now(), false, 1064);
    ASSERT_TRUE(runtime.isNapping());
    EXPECT_EQ(samplesAt(1065, true), std::nullopt) << "and through the nap";
    EXPECT_EQ(samplesAt(1965), ReminderEvent::stretch());
}

} // namespace
} // namespace purlo
