#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::Deliveries;
using testing::RuntimeHarness;

QuietHoursSchedule allDayQuiet() {
    return QuietHoursSchedule{true, 5, 5};
}

TEST(RuntimeTick, ANapThatEndedIsClearedBeforeTheTickAsksWhetherSheNaps) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    harness.change([&](PurloSettings& settings) {
        settings.nap.until = harness.clock.now().addingSeconds(1);
    });
    harness.tick();
    ASSERT_EQ(harness.scene().mood, CatMood::sleeping);
    ASSERT_FALSE(harness.keys.isListening());

    harness.clock.advance(1);
    harness.tick();
    EXPECT_EQ(harness.settings().nap.until, std::nullopt);
    EXPECT_NE(harness.scene().mood, CatMood::sleeping);
    EXPECT_TRUE(harness.keys.isListening());
    EXPECT_EQ(PurloSettings::load(harness.store).settings.nap.until, std::nullopt) << "saved";
}

TEST(RuntimeTick, QuietHoursMaskTheAppSilenceTypingAndHideThePinnedMessage) {
    for (const bool quiet : {false, true}) {
        SCOPED_TRACE(quiet ? "quiet" : "awake");
        RuntimeHarness harness;
        harness.applications.application = FrontmostApplication{"Code", "com.visualstudio.code"};
        PurloSettings settings;
        settings.pinnedMessage = "  ship it \n";
        // Hiding behind other apps needs the app even in quiet hours.
        settings.companionPresenceMode = CompanionPresenceMode::autoHideWhenAppsActive;
        if (quiet) {
            settings.quietHours = allDayQuiet();
        }
        harness.storeSettings(settings);
        harness.runtime().start();

        EXPECT_EQ(harness.runtime().activeApp()->name, "Code");
        EXPECT_EQ(harness.runtime().behaviorEngine().state.lastActiveAppKey,
                  quiet ? "Unknown" : "com.visualstudio.code");
        EXPECT_EQ(harness.keys.isListening(), !quiet);
        const CompanionMessage pinned{"ship it", CompanionMessage::Kind::soft};
        EXPECT_EQ(harness.scene().message == pinned, !quiet);
    }
}

TEST(RuntimeTick, ThePinnedMessageGivesWayToTheEnginesBubbleUnlessSheIsIdle) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    harness.change([](PurloSettings& settings) { settings.pinnedMessage = " \n\t"; });
    harness.tick();
    EXPECT_EQ(harness.scene().message, std::nullopt) << "a pinned message of blanks never shows";

    harness.change([](PurloSettings& settings) { settings.pinnedMessage = "hello"; });
    harness.tick();
    EXPECT_EQ(harness.scene().message, (CompanionMessage{"hello", CompanionMessage::Kind::soft}));
    runtime.pet();
    EXPECT_EQ(harness.scene().mood, CatMood::purring);
    EXPECT_NE(harness.scene().message->text, "hello");
}

TEST(RuntimeTick, APendingInteractionReachesTheEngineOnce) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.pet();
    const double petUntil = runtime.behaviorEngine().state.petUntil;
    EXPECT_DOUBLE_EQ(petUntil, harness.clock.uptime() + 2.4);
    harness.loop.advance(0.5);
    EXPECT_EQ(runtime.behaviorEngine().state.petUntil, petUntil);
}

TEST(RuntimeTick, AnUnchangedWorldPublishesNothing) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    harness.loop.advance(1);
    Deliveries scene(runtime.scene());
    Deliveries pomodoro(runtime.pomodoro());
    Deliveries history(runtime.agentEventHistory());
    Deliveries app(runtime.activeApp());
    Deliveries mouse(runtime.companionAcceptsMouse());
    Deliveries settings(runtime.settings());
    harness.tick();
    harness.tick();
    harness.loop.advance(5);
    EXPECT_EQ(scene.count(), 0);
    EXPECT_EQ(pomodoro.count(), 0);
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(app.count(), 0);
    EXPECT_EQ(mouse.count(), 0);
    EXPECT_EQ(settings.count(), 0);

    harness.applications.application = FrontmostApplication{"Files", std::nullopt};
    harness.loop.advance(2.1);
    EXPECT_EQ(app.count(), 1);
    EXPECT_EQ(runtime.activeApp()->name, "Files");
}

TEST(RuntimeTick, VisibilityIsTheUsersChoiceCarriedOverEveryTick) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    Deliveries scene(runtime.scene());
    runtime.setCompanionVisible(false);
    EXPECT_EQ(scene.count(), 1);
    harness.loop.advance(1);
    EXPECT_FALSE(harness.scene().isVisible);
    EXPECT_EQ(scene.count(), 1) << "the engine's own visibility is never published";
    runtime.setCompanionVisible(true);
    EXPECT_TRUE(harness.scene().isVisible);
}

TEST(RuntimeTick, TheWindowTakesTheMouseOverHerBodyAndThroughoutADrag) {
    // At the default origin (96, 120) and full size her body spans x 106...246 and
    // y 114...254 with its margin; at the smallest size x 122...230, at the largest
    // x 93.2...258.8.
    const struct {
        double companionScale;
        Point pointer;
        bool accepts;
    } cases[] = {
        {1.0, {150, 150}, true},    {1.0, {106, 114}, true}, {1.0, {246, 150}, false},
        {1.0, {105.9, 150}, false}, {1.0, {10, 10}, false},  {1.0, {115, 150}, true},
        {0.5, {115, 150}, false},   {0.5, {125, 150}, true}, {2.0, {95, 150}, true},
        {2.0, {50, 150}, false},
    };
    for (const auto& [companionScale, pointer, accepts] : cases) {
        SCOPED_TRACE(::testing::Message()
                     << companionScale << " at " << pointer.x << ", " << pointer.y);
        RuntimeHarness harness;
        PurloSettings settings;
        settings.companionScale = companionScale;
        harness.storeSettings(settings);
        harness.pointer.position = pointer;
        harness.runtime().start();
        harness.tick();
        EXPECT_EQ(*harness.runtime().companionAcceptsMouse(), accepts);
    }

    RuntimeHarness harness;
    harness.pointer.position = {10, 10};
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    ASSERT_FALSE(*runtime.companionAcceptsMouse());
    runtime.companionDragBegan();
    EXPECT_TRUE(*runtime.companionAcceptsMouse());
    runtime.companionDragEnded();
    harness.tick();
    EXPECT_FALSE(*runtime.companionAcceptsMouse());
}

} // namespace
} // namespace purlo
