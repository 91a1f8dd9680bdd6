#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using Mode = PomodoroController::State::Mode;
using testing::Deliveries;
using testing::RuntimeHarness;

TEST(RuntimeActions, NapsEndWhenTheirLengthSays) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    const Date now = harness.clock.now();
    runtime.nap(PurloNapDuration::fifteenMinutes, now);
    EXPECT_EQ(harness.settings().nap.until, now.addingSeconds(900));
    EXPECT_EQ(harness.settings().nap.remainingLabel(now), "15m");
    EXPECT_EQ(harness.scene().mood, CatMood::sleeping) << "at once";
    EXPECT_EQ(PurloSettings::load(harness.store).settings.nap, harness.settings().nap);
    harness.clock.setNow(now.addingSeconds(900));
    EXPECT_FALSE(runtime.isNapping()) << "a nap that ends now is over";

    runtime.napUntilWoken();
    harness.clock.advance(86400 * 365);
    EXPECT_TRUE(runtime.isNapping());
    Deliveries settings(runtime.settings());
    runtime.wake();
    runtime.wake();
    EXPECT_EQ(settings.count(), 2) << "waking writes even when she is awake";
    EXPECT_FALSE(runtime.isNapping());
    EXPECT_NE(harness.scene().mood, CatMood::sleeping);
}

TEST(RuntimeActions, FocusLastsAtLeastAMinuteAndAnyRunningPhaseStops) {
    for (const auto& [focusMinutes, length] : {std::pair{0, 60.0}, {-3, 60.0}, {25, 1500.0}}) {
        RuntimeHarness harness;
        PurloSettings settings;
        settings.pomodoroFocusMinutes = focusMinutes;
        harness.storeSettings(settings);
        PurloRuntime& runtime = harness.runtime();
        runtime.toggleFocus();
        EXPECT_EQ(*runtime.pomodoro(),
                  (PomodoroController::State{Mode::focus, harness.clock.uptime() + length, 1, 0}));
        EXPECT_TRUE(harness.scene().timerLabel) << "shown at once";
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
    EXPECT_EQ(*runtime.pomodoro(), PomodoroController::State{}) << "a break is stopped too";
    EXPECT_EQ(harness.scene().timerLabel, std::nullopt);
}

TEST(RuntimeActions, ALoggedWinCheersWithWhatItMeantForTheStreak) {
    using Streak = PurloCompletionStreak;
    const Date today = testing::berlinJanuary(13, 10, 0);
    const std::int64_t day = Calendar::inTimeZone("Europe/Berlin")->dayIndex(today);
    const struct {
        Streak before;
        std::string text;
    } cases[] = {
        {Streak{}, "nice work"},
        {Streak{1, 1, 1, day, today}, "win logged"},
        {Streak{4, 4, 9, day - 1, std::nullopt}, "new best: 5"},
        {Streak{4, 7, 9, day - 1, std::nullopt}, "5 day streak"},
        {Streak{9, 9, 9, day - 4, std::nullopt}, "nice work"},
    };
    for (const auto& [before, text] : cases) {
        SCOPED_TRACE(text);
        RuntimeHarness harness(today);
        PurloSettings settings;
        settings.completionStreak = before;
        harness.storeSettings(settings);
        harness.runtime().markWin(today);
        EXPECT_EQ(harness.scene().message, (CompanionMessage{text, CompanionMessage::Kind::happy}));
        EXPECT_EQ(PurloSettings::load(harness.store).settings.completionStreak.totalCompletions,
                  before.totalCompletions + 1);
    }
}

TEST(RuntimeActions, ADragMovesHerAndStoresWhereSheWasPutDown) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.companionDragBegan();
    EXPECT_EQ(harness.scene().mood, CatMood::dragged);
    runtime.companionDragMoved(500, 300);
    runtime.companionDragMoved(std::nan(""), 300);
    EXPECT_EQ(harness.scene().position, (Point{500, 300}));
    EXPECT_EQ(harness.settings().companionPlacement, std::nullopt) << "stored at the end";
    runtime.companionDragEnded();
    EXPECT_EQ(PurloSettings::load(harness.store).settings.companionPlacement,
              (CompanionPlacement{500, 300}));
}

TEST(RuntimeActions, ASavedLookAppliesWithinRangeAndDeletingAlwaysWrites) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    CatProfile look;
    look.skin = CatSkinPreset::calico;
    for (const auto& [scale, applied] : {std::pair{2.0, 1.2}, {0.5, 0.75}, {0.9, 0.9}}) {
        look.companionScale = scale;
        runtime.applyCatProfile(look);
        EXPECT_EQ(harness.settings().companionScale, applied);
    }
    EXPECT_EQ(PurloSettings::load(harness.store).settings.skin, CatSkinPreset::calico);

    runtime.saveCatProfile("Mochi");
    Deliveries settings(runtime.settings());
    runtime.deleteCatProfile("nobody");
    EXPECT_EQ(settings.count(), 1);
    runtime.deleteCatProfile("mochi");
    EXPECT_TRUE(PurloSettings::load(harness.store).settings.savedCatProfiles.empty());
}

} // namespace
} // namespace purlo
