#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::berlinJanuary;
using testing::RuntimeHarness;

TEST(RuntimeSamples, TheFrontmostAppIsAskedForAtMostEveryTwoSecondsWhileNeeded) {
    RuntimeHarness harness;
    harness.applications.application = FrontmostApplication{"Terminal", "org.gnome.Terminal"};
    PurloRuntime& runtime = harness.runtime();
    const struct {
        double at;
        bool needed;
        int reads;
    } ticks[] = {{1000, true, 1},    {1001.9, true, 1}, {1002.0, true, 2},
                 {1002.5, false, 2}, {1002.6, true, 3}, {1004.59, true, 3}};
    for (const auto& [at, needed, reads] : ticks) {
        EXPECT_EQ(runtime.sampleActiveApp(needed, at).name, needed ? "Terminal" : "Unknown");
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
        {desktopLevel, false, false, false, false},
        // Hiding while other apps are in front needs them at all times.
        {autoHideWhenAppsActive, false, true, false, true},
        {autoHideWhenAppsActive, false, false, true, true},
    };
    for (const auto& [presence, awareness, napping, quiet, read] : cases) {
        SCOPED_TRACE(::testing::Message() << toString(presence) << " aware " << awareness
                                          << " napping " << napping << " quiet " << quiet);
        RuntimeHarness harness(testing::settingsWith([&](PurloSettings& settings) {
            settings.companionPresenceMode = presence;
            settings.activeAppAwarenessEnabled = awareness;
        }));
        harness.applications.application = FrontmostApplication{"Terminal", std::nullopt};
        const auto samples =
            harness.runtime().collectTickSamples(napping, quiet, std::nullopt, 1000);
        EXPECT_EQ(samples.activeApp.name, read ? "Terminal" : "Unknown");
        EXPECT_EQ(harness.applications.readCount, read ? 1 : 0);
    }
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

TEST(RuntimeSamples, TheAgentFileIsLookedAtOnceASecond) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.sampleAgentEvent(true, 1000);
    testing::writeFile(harness.folder / "support" / "agent-event.json",
                       R"({"event":"thinking","source":"Codex"})");
    EXPECT_EQ(runtime.sampleAgentEvent(true, 1000.9), AgentEventSnapshot::empty());
    const AgentEventSnapshot thinking{AgentEventKind::thinking, "Codex", std::nullopt, 1001.0,
                                      1061.0};
    EXPECT_EQ(runtime.sampleAgentEvent(true, 1001.0), thinking);
    EXPECT_EQ(runtime.tickInputCache().agentEventHistory, std::vector{thinking});
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
