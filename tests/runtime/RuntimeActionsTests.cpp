#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using Mode = PomodoroController::State::Mode;
using testing::Deliveries;
using testing::RuntimeHarness;

TEST(RuntimeActions, EachGestureShowsAtOnce) {
    const struct {
        const char* name;
        void (PurloRuntime::*action)();
        CatMood mood;
    } cases[] = {
        {"pet", &PurloRuntime::pet, CatMood::purring},
        {"celebrate", &PurloRuntime::celebrate, CatMood::celebrating},
        {"stretch", &PurloRuntime::stretch, CatMood::stretching},
        {"drag", &PurloRuntime::companionDragBegan, CatMood::dragged},
    };
    for (const auto& [name, action, mood] : cases) {
        SCOPED_TRACE(name);
        RuntimeHarness harness;
        PurloRuntime& runtime = harness.runtime();
        runtime.start();
        (runtime.*action)();
        EXPECT_EQ(harness.scene().mood, mood);
    }
}

TEST(RuntimeActions, NapsEndWhenTheirLengthSays) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    const Date now = harness.clock.now();
    runtime.nap(PurloNapDuration::fifteenMinutes, now);
    EXPECT_EQ(harness.settings().nap.until, now.addingSeconds(900));
    EXPECT_EQ(harness.settings().nap.remainingLabel(now), "15m");
    EXPECT_EQ(harness.scene().mood, CatMood::sleeping);
    EXPECT_EQ(PurloSettings::load(harness.store).settings.nap, harness.settings().nap);
    EXPECT_TRUE(runtime.isNapping());

    harness.clock.setNow(now.addingSeconds(900));
    EXPECT_FALSE(runtime.isNapping()) << "a nap that ends now is over";

    runtime.napUntilWoken();
    EXPECT_TRUE(runtime.isNapping());
    harness.clock.advance(86400 * 365);
    EXPECT_TRUE(runtime.isNapping());
    runtime.wake();
    EXPECT_FALSE(runtime.isNapping());
    EXPECT_EQ(harness.settings().nap.until, std::nullopt);
    EXPECT_NE(harness.scene().mood, CatMood::sleeping);

    Deliveries settings(runtime.settings());
    runtime.wake();
    EXPECT_EQ(settings.count(), 1) << "waking writes even when she was awake";
}

TEST(RuntimeActions, FocusLastsAtLeastAMinuteAndAnyRunningPhaseStops) {
    const struct {
        std::int64_t focusMinutes;
        double length;
    } cases[] = {{0, 60}, {-3, 60}, {25, 1500}};
    for (const auto& [focusMinutes, length] : cases) {
        RuntimeHarness harness;
        PurloSettings settings;
        settings.pomodoroFocusMinutes = focusMinutes;
        harness.storeSettings(settings);
        PurloRuntime& runtime = harness.runtime();
        runtime.start();
        runtime.toggleFocus();
        const PomodoroController::State started{Mode::focus, harness.clock.uptime() + length, 1, 0};
        EXPECT_EQ(*runtime.pomodoro(), started);
        EXPECT_TRUE(harness.scene().timerLabel);
    }

    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.startFocus();
    harness.loop.advance(25 * 60 + 0.1);
    ASSERT_EQ(runtime.pomodoro()->mode, Mode::rest);
    runtime.startFocus();
    EXPECT_EQ(runtime.pomodoro()->sessionNumber, 1) << "a new focus is always the first";
    harness.loop.advance(25 * 60 + 0.1);
    runtime.toggleFocus();
    EXPECT_EQ(*runtime.pomodoro(), PomodoroController::State{});
    EXPECT_EQ(harness.scene().timerLabel, std::nullopt);
}

TEST(RuntimeActions, ALoggedWinCheersWithWhatItMeantForTheStreak) {
    using Streak = PurloCompletionStreak;
    const auto calendar = *Calendar::inTimeZone("Europe/Berlin");
    const Date today = testing::berlinJanuary(13, 10, 0);
    const std::int64_t yesterday = calendar.dayIndex(today) - 1;
    const struct {
        Streak before;
        std::string text;
    } cases[] = {
        {Streak{}, "nice work"},
        {Streak{1, 1, 1, calendar.dayIndex(today), today}, "win logged"},
        {Streak{4, 4, 9, yesterday, std::nullopt}, "new best: 5"},
        {Streak{4, 7, 9, yesterday, std::nullopt}, "5 day streak"},
        {Streak{9, 9, 9, yesterday - 3, std::nullopt}, "nice work"},
    };
    for (const auto& [before, text] : cases) {
        SCOPED_TRACE(text);
        RuntimeHarness harness(today);
        PurloSettings settings;
        settings.completionStreak = before;
        harness.storeSettings(settings);
        PurloRuntime& runtime = harness.runtime();
        runtime.start();
        runtime.markWin(today);
        EXPECT_EQ(harness.scene().message, (CompanionMessage{text, CompanionMessage::Kind::happy}));
        EXPECT_EQ(harness.scene().mood, CatMood::celebrating);
        EXPECT_EQ(PurloSettings::load(harness.store).settings.completionStreak.totalCompletions,
                  before.totalCompletions + 1);
    }
}

TEST(RuntimeActions, ADragMovesHerAndStoresWhereSheWasPutDown) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.companionDragBegan();
    EXPECT_TRUE(runtime.companionDragInProgress());
    runtime.companionDragMoved(500, 300);
    runtime.companionDragMoved(std::nan(""), 300);
    EXPECT_EQ(harness.scene().position, (Point{500, 300}));
    EXPECT_EQ(harness.settings().companionPlacement, std::nullopt) << "stored at the end";
    runtime.companionDragEnded();
    EXPECT_FALSE(runtime.companionDragInProgress());
    EXPECT_EQ(harness.settings().companionPlacement, (CompanionPlacement{500, 300}));
    EXPECT_EQ(PurloSettings::load(harness.store).settings.companionPlacement,
              (CompanionPlacement{500, 300}));
}

TEST(RuntimeActions, SavedLooksAreSavedAppliedWithinRangeAndDeleted) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.saveCatProfile("  Mochi ");
    ASSERT_EQ(harness.settings().savedCatProfiles.size(), 1U);
    EXPECT_EQ(harness.settings().savedCatProfiles[0].name, "Mochi");

    CatProfile look;
    look.skin = CatSkinPreset::calico;
    look.phrasePack = PurloPhrasePack::playful;
    for (const auto& [scale, applied] : {std::pair{2.0, 1.2}, {0.5, 0.75}, {0.9, 0.9}}) {
        look.companionScale = scale;
        runtime.applyCatProfile(look);
        EXPECT_EQ(harness.settings().companionScale, applied);
    }
    EXPECT_EQ(harness.settings().skin, CatSkinPreset::calico);
    EXPECT_EQ(harness.settings().phrasePack, PurloPhrasePack::playful);

    Deliveries settings(runtime.settings());
    runtime.deleteCatProfile("nobody");
    EXPECT_EQ(settings.count(), 1);
    EXPECT_EQ(harness.settings().savedCatProfiles.size(), 1U);
    runtime.deleteCatProfile("mochi");
    EXPECT_TRUE(harness.settings().savedCatProfiles.empty());
    EXPECT_TRUE(PurloSettings::load(harness.store).settings.savedCatProfiles.empty());

    runtime.completeOnboarding();
    EXPECT_TRUE(PurloSettings::load(harness.store).settings.hasCompletedFirstRunOnboarding);
}

TEST(RuntimeActions, LaunchAtLoginShowsTheItemsRealStatusAndWhyItFailed) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    EXPECT_FALSE(*runtime.launchAtLoginEnabled());
    harness.loginItem.refusal = FileError{"The autostart folder is read-only."};
    runtime.setLaunchAtLogin(true);
    EXPECT_FALSE(*runtime.launchAtLoginEnabled());
    EXPECT_EQ(*runtime.launchAtLoginError(), "The autostart folder is read-only.");
    harness.loginItem.refusal.reset();
    runtime.setLaunchAtLogin(true);
    EXPECT_TRUE(*runtime.launchAtLoginEnabled());
    EXPECT_EQ(*runtime.launchAtLoginError(), std::nullopt);
}

} // namespace
} // namespace purlo
