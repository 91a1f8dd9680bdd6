#include "model/PurloSettingsStore.h"
#include "platform/AutostartLoginItem.h"
#include "runtime/LaunchAtLogin.h"
#include "tests/support/RuntimeHarness.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using Mode = PomodoroController::State::Mode;
using Outcome = LaunchAtLoginOutcome;
using testing::berlinJanuary;
using testing::Deliveries;
using testing::RuntimeHarness;

TEST(RuntimeActions, ADragSkipsNonFinitePointsAndStoresWhereSheWasPutDown) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.companionDragBegan();
    runtime.companionDragMoved(500, 300);
    runtime.companionDragMoved(std::nan(""), 300);
    runtime.companionDragMoved(600, INFINITY);
    EXPECT_EQ(harness.scene().position, (Point{500, 300}));
    runtime.companionDragEnded();
    EXPECT_EQ(harness.stored().companionPlacement, (CompanionPlacement{500, 300}));
}

TEST(RuntimeActions, NapsEndOnTimeAndFocusLastsAtLeastAMinute) {
    RuntimeHarness harness;
    harness.runtime().start();
    const Date now = harness.clock.now();
    harness.runtime().nap(PurloNapDuration::fifteenMinutes, now);
    EXPECT_EQ(harness.stored().nap.until, now.addingSeconds(900));
    EXPECT_EQ(harness.scene().mood, CatMood::sleeping) << "at once";
    EXPECT_FALSE(harness.keys.isListening());
    harness.clock.setNow(now.addingSeconds(900));
    EXPECT_FALSE(harness.runtime().isNapping()) << "a nap that ends now is over";
    harness.tick();
    EXPECT_EQ(harness.stored().nap.until, std::nullopt) << "the tick clears what ended";
    EXPECT_NE(harness.scene().mood, CatMood::sleeping);
    EXPECT_TRUE(harness.keys.isListening());
    harness.change([](PurloSettings& settings) { settings.pomodoroFocusMinutes = 0; });
    harness.runtime().toggleFocus();
    EXPECT_EQ(*harness.runtime().pomodoro(),
              (PomodoroController::State{Mode::focus, harness.clock.uptime() + 60, 1, 0}));
    EXPECT_TRUE(harness.scene().timerLabel) << "shown at once";
}

TEST(RuntimeActions, ALoggedWinCheersWithWhatItMeantForTheStreak) {
    using Streak = PurloCompletionStreak;
    const Date today = berlinJanuary(13, 10, 0);
    const std::int64_t day = Calendar::inTimeZone("Europe/Berlin")->dayIndex(today);
    const std::pair<Streak, std::string> cases[] = {
        {Streak{}, "nice work"},
        {Streak{1, 1, 1, day, today}, "win logged"},
        {Streak{4, 4, 9, day - 1, std::nullopt}, "new best: 5"},
        {Streak{4, 7, 9, day - 1, std::nullopt}, "5 day streak"},
        {Streak{9, 9, 9, day - 4, std::nullopt}, "nice work"},
    };
    for (const auto& [before, text] : cases) {
        RuntimeHarness harness(testing::settingsWith(
            [&](PurloSettings& settings) { settings.completionStreak = before; }));
        harness.runtime().markWin(today);
        EXPECT_EQ(harness.scene().message, (CompanionMessage{text, CompanionMessage::Kind::happy}));
        EXPECT_EQ(harness.stored().completionStreak.totalCompletions, before.totalCompletions + 1);
    }
}

TEST(RuntimeActions, AFailedSaveIsSaidOnceAndKeptUntilASaveSucceeds) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    harness.store.failingKeys.emplace(purloSettingsKey);
    const std::string failure = "Couldn’t save settings: no space left on device";
    const CompanionMessage said{failure, CompanionMessage::Kind::soft};
    runtime.markWin(harness.clock.now());
    EXPECT_EQ(*runtime.settingsSaveFailure(), failure);
    EXPECT_EQ(harness.scene().message, said) << "above the win's cheer";
    harness.loop.advance(PurloRuntime::saveFailureBubbleDuration - 0.2);
    EXPECT_EQ(harness.scene().message, said);
    harness.loop.advance(0.4);
    EXPECT_NE(harness.scene().message, said);

    PurloSettings renamed = *runtime.settings();
    renamed.userName = "Ada";
    runtime.setSettings(renamed);
    EXPECT_NE(harness.scene().message, said) << "the same failure again is not news";
    EXPECT_EQ(*runtime.settingsSaveFailure(), failure);
    runtime.markWin(harness.clock.now());
    EXPECT_EQ(harness.scene().message, said) << "but a win that could not be kept is never cheered";
    EXPECT_NE(harness.scene().mood, CatMood::celebrating);
    harness.store.failingKeys.clear();
    runtime.wake();
    EXPECT_EQ(*runtime.settingsSaveFailure(), std::nullopt);
    EXPECT_EQ(harness.stored().completionStreak.totalCompletions, 2) << "nothing was lost";
    harness.store.failingKeys.emplace(purloSettingsBackupKey);
    runtime.markWin(harness.clock.now());
    EXPECT_EQ(harness.scene().message, said) << "a failure after a success is news again";

    EXPECT_EQ(PurloRuntime::settingsSaveFailureMessage(
                  std::make_error_code(std::errc::read_only_file_system)),
              "Couldn’t save settings: read-only file system");
}

TEST(RuntimeZoomiesDash, RunsOutAndHomeInThreePointSixSecondsUnlessADragOrAPetCatchesHer) {
    using enum CatPose;
    // How the run ends at its right turn (2.4 s in), if at all, and whether she stays there.
    const std::tuple<std::optional<CatPose>, bool, bool> cases[] = {
        {std::nullopt, false, false}, {drag, false, true},  {purr, true, true},
        {purr, false, false},         {idle, false, false},
    };
    for (const auto& [endedIn, petted, staysCaught] : cases) {
        RuntimeHarness harness;
        PurloRuntime& runtime = harness.runtime();
        const Point home = harness.scene().position;
        runtime.updateZoomiesDash(idle, zoomies, harness.clock.uptime());
        harness.loop.advance(2.4);
        const Point turn = harness.scene().position;
        EXPECT_NEAR(turn.x, 1440 - 160 - 24, 0.5);
        EXPECT_EQ(turn.y, home.y);
        if (petted) {
            runtime.pet();
        }
        if (endedIn) {
            runtime.updateZoomiesDash(zoomies, *endedIn, harness.clock.uptime());
        }
        harness.loop.advance(1.15);
        EXPECT_EQ(harness.loop.activeTimerCount(), endedIn ? 0U : 1U);
        harness.loop.advance(0.1);
        EXPECT_EQ(harness.loop.activeTimerCount(), 0U);
        EXPECT_EQ(harness.scene().position, staysCaught ? turn : home) << petted;
    }
}

TEST(LaunchAtLogin, TheEntryChangesOnlyWhenItsStatusDiffersAndAFailureShowsUntilOneSucceeds) {
    testing::TemporaryFolder folder;
    testing::writeFile(folder / "autostart", "a file where the folder should be");
    AutostartLoginItem item(folder / "autostart", "/usr/bin/purlo");
    EXPECT_EQ(changeLaunchAtLogin(item, true),
              (Outcome{false, "Could not create the folder “autostart”: Not a directory."}));
    std::filesystem::remove(folder / "autostart");
    EXPECT_EQ(changeLaunchAtLogin(item, true), (Outcome{true, std::nullopt}));
    const std::string entry = testing::readFile(item.entryFile());
    // Enabled and wanted, or switched off on the desktop and not wanted: left as it is.
    testing::writeFile(item.entryFile(), entry + "# kept\n");
    EXPECT_EQ(changeLaunchAtLogin(item, true), (Outcome{true, std::nullopt}));
    EXPECT_EQ(testing::readFile(item.entryFile()), entry + "# kept\n");
    testing::writeFile(item.entryFile(), entry + "Hidden=true\n");
    EXPECT_EQ(changeLaunchAtLogin(item, false), (Outcome{false, std::nullopt}));
    EXPECT_EQ(testing::readFile(item.entryFile()), entry + "Hidden=true\n");
    EXPECT_EQ(changeLaunchAtLogin(item, true), (Outcome{true, std::nullopt}));
    EXPECT_EQ(changeLaunchAtLogin(item, false), (Outcome{false, std::nullopt}));
    EXPECT_FALSE(std::filesystem::exists(item.entryFile()));
    EXPECT_EQ(changeLaunchAtLogin(item, false), (Outcome{false, std::nullopt}));
}

TEST(RuntimeScheduledNap, IsAnnouncedOnlyInsideItsWindowAndMarksTheDay) {
    const QuietHoursSchedule none;
    using Day = std::optional<std::string>;
    const std::tuple<const char*, Date, std::int64_t, QuietHoursSchedule, Day, Day> cases[] = {
        {"ten minutes late", berlinJanuary(13, 13, 10), 0, none, {}, "2026-01-13"},
        {"on the minute", berlinJanuary(13, 13, 0), 0, none, {}, "2026-01-13"},
        {"a moment early", berlinJanuary(13, 12, 59, 59), 0, none, {}, {}},
        {"window closed", berlinJanuary(13, 13, 15), 0, none, {}, {}},
        {"already today", berlinJanuary(13, 13, 5), 0, none, "2026-01-13", {}},
        {"fired yesterday", berlinJanuary(13, 13, 5), 0, none, "2026-01-12", "2026-01-13"},
        {"inside quiet hours", berlinJanuary(13, 13, 5), 0, {true, 12, 14}, {}, "2026-01-13"},
        // The nap's own time lies outside quiet hours, this moment inside.
        {"quiet right now", berlinJanuary(13, 14, 5), 55, {true, 14, 15}, {}, "2026-01-13"},
    };
    for (const auto& [name, now, napMinute, quietHours, firedBefore, marked] : cases) {
        PurloSettings settings;
        settings.scheduledNap = {
            .enabled = true, .hour = 13, .minute = napMinute, .lastFiredDay = firedBefore};
        settings.quietHours = quietHours;
        RuntimeHarness harness(settings, now);
        harness.runtime().start();
        const bool announced = marked && quietHours == none;
        EXPECT_EQ(harness.runtime().scheduledNapController().isArmed(), announced) << name;
        EXPECT_EQ(harness.scene().message,
                  announced ? std::optional(CompanionMessage{"nap time. step away with me?"})
                            : std::nullopt);
        EXPECT_EQ(harness.stored().scheduledNap.lastFiredDay, marked ? marked : firedBefore);
    }
}

TEST(RuntimeScheduledNap, HoldsRemindersBackUntilItsNapIsOver) {
    PurloSettings settings;
    settings.stretchReminderMinutes = 1;
    settings.scheduledNap = {true, 13, 0, PurloNapDuration::fifteenMinutes, true, {}};
    RuntimeHarness harness(settings, berlinJanuary(13, 13, 5));
    PurloRuntime& runtime = harness.runtime();
    const auto reminderAt = [&](double uptime, bool napping = false,
                                std::optional<ReminderEvent> announcement = std::nullopt) {
        return runtime.collectTickSamples(napping, false, std::move(announcement), uptime).reminder;
    };
    EXPECT_EQ(reminderAt(1000), std::nullopt) << "the first evaluation only arms";
    auto announcement = runtime.runScheduledNapStep(harness.clock.now(), false, 1059);
    ASSERT_TRUE(announcement);
    EXPECT_EQ(reminderAt(1059, false, announcement), announcement);
    EXPECT_EQ(reminderAt(1061), std::nullopt) << "the stretch waits for the announced nap";
    runtime.runScheduledNapStep(harness.clock.now(), false, 1064);
    ASSERT_TRUE(runtime.isNapping());
    EXPECT_EQ(harness.settings().nap.until, harness.clock.now().addingSeconds(900));
    EXPECT_EQ(reminderAt(1065, true), std::nullopt) << "and through the nap";
    EXPECT_EQ(reminderAt(1965), ReminderEvent::stretch());
}

TEST(RuntimePermission, PollingChecksOnceASecondUntilGrantedOrNinetyTimes) {
    RuntimeHarness harness;
    harness.keys.granted = false;
    PurloRuntime& runtime = harness.runtime();
    runtime.requestInputMonitoringPermission();
    harness.loop.advance(89.5);
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
    harness.loop.advance(1);
    EXPECT_EQ(harness.loop.activeTimerCount(), 0U) << "gave up after 90 checks";
    // A second request restarts the count, and one poll runs at a time.
    runtime.requestInputMonitoringPermission();
    harness.loop.advance(50.5);
    runtime.requestInputMonitoringPermission();
    EXPECT_EQ(harness.keys.requestCount, 3);
    harness.loop.advance(89);
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
    harness.keys.granted = true;
    harness.loop.advance(1);
    EXPECT_EQ(harness.loop.activeTimerCount(), 0U);
    EXPECT_TRUE(runtime.privacySummary()->inputMonitoringGranted);
}

TEST(RuntimeSamples, TheFrontmostAppIsAskedForAtMostEveryTwoSecondsWhileNeeded) {
    RuntimeHarness harness;
    harness.applications.application = FrontmostApplication{"Terminal", "org.gnome.Terminal"};
    const std::tuple<double, bool, int> ticks[] = {{1000, true, 1},   {1001.9, true, 1},
                                                   {1002.0, true, 2}, {1002.5, false, 2},
                                                   {1002.6, true, 3}, {1004.59, true, 3}};
    for (const auto& [at, needed, reads] : ticks) {
        EXPECT_EQ(harness.runtime().sampleActiveApp(needed, at).name,
                  needed ? "Terminal" : "Unknown");
        EXPECT_EQ(harness.applications.readCount, reads) << at;
    }
}

TEST(RuntimeSamples, HidingBehindAppsNeedsTheAppEvenWhileSheNaps) {
    using enum CompanionPresenceMode;
    const std::tuple<CompanionPresenceMode, bool, bool, bool> cases[] = {
        {floatAboveApps, true, false, true},
        {floatAboveApps, true, true, false},
        {autoHideWhenAppsActive, false, true, true},
    };
    for (const auto& [presence, awareness, napping, read] : cases) {
        RuntimeHarness harness(testing::settingsWith([&](PurloSettings& settings) {
            settings.companionPresenceMode = presence;
            settings.activeAppAwarenessEnabled = awareness;
        }));
        harness.applications.application = FrontmostApplication{"Terminal", std::nullopt};
        const auto samples = harness.runtime().collectTickSamples(napping, false, {}, 1000);
        EXPECT_EQ(samples.activeApp.name, read ? "Terminal" : "Unknown") << toString(presence);
        EXPECT_EQ(harness.applications.readCount, read ? 1 : 0) << toString(presence);
    }
}

TEST(RuntimeAgentSwitch, UnchangedItOnlySavesOffAndOnItClearsTheHistoryWithoutReplay) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.startAgentIntegrations();
    const auto write = [&](const char* json) {
        testing::writeFile(harness.folder / "support" / "agent-event.json", json);
        harness.loop.advance(1.1);
    };
    write(R"({"event":"thinking","source":"Codex"})");
    Deliveries history(runtime.agentEventHistory());
    const int writes = harness.store.writeCount;
    runtime.setSettings(*runtime.settings());
    EXPECT_EQ(harness.store.writeCount, writes + 1) << "unchanged bytes are written once";
    harness.change([](PurloSettings& settings) { settings.typingReactionsEnabled = false; });
    EXPECT_FALSE(harness.keys.isListening());
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(runtime.agentEventHistory()->size(), 1U);

    harness.change([](PurloSettings& settings) { settings.localAgentBridgeEnabled = false; });
    EXPECT_TRUE(runtime.agentEventHistory()->empty());
    EXPECT_FALSE(std::filesystem::exists(harness.folder / "support" / "Integrations" / "enabled"));
    // Written while agents were off: taken as seen when they come back on.
    write(R"({"event":"waiting","source":"Cursor"})");
    harness.change([](PurloSettings& settings) { settings.localAgentBridgeEnabled = true; });
    harness.loop.advance(2.1);
    EXPECT_TRUE(runtime.agentEventHistory()->empty());
    EXPECT_EQ(history.count(), 2);
    write(R"({"event":"completed","source":"Cursor"})");
    ASSERT_EQ(runtime.agentEventHistory()->size(), 1U);
    EXPECT_EQ(runtime.agentEventHistory()->back().kind, AgentEventKind::completed);
}

} // namespace
} // namespace purlo
