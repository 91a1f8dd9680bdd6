#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::Deliveries;
using testing::RuntimeHarness;
using testing::settingsWith;

TEST(RuntimeTick, ANapThatEndedIsClearedBeforeTheTickAsksWhetherSheNaps) {
    RuntimeHarness harness;
    harness.runtime().start();
    harness.change([&](PurloSettings& settings) {
        settings.nap.until = harness.clock.now().addingSeconds(1);
    });
    harness.tick();
    ASSERT_EQ(harness.scene().mood, CatMood::sleeping);
    ASSERT_FALSE(harness.keys.isListening());

    harness.clock.advance(1);
    harness.tick();
    EXPECT_EQ(PurloSettings::load(harness.store).settings.nap.until, std::nullopt);
    EXPECT_NE(harness.scene().mood, CatMood::sleeping);
    EXPECT_TRUE(harness.keys.isListening());
}

TEST(RuntimeTick, QuietHoursMaskTheAppSilenceTypingAndHideThePinnedMessage) {
    for (const bool quiet : {false, true}) {
        SCOPED_TRACE(quiet ? "quiet" : "awake");
        RuntimeHarness harness(settingsWith([&](PurloSettings& settings) {
            settings.pinnedMessage = "  ship it \n";
            // Hiding behind other apps needs the app even in quiet hours.
            settings.companionPresenceMode = CompanionPresenceMode::autoHideWhenAppsActive;
            settings.quietHours = QuietHoursSchedule{quiet, 5, 5};
        }));
        harness.applications.application = FrontmostApplication{"Code", "com.visualstudio.code"};
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
    RuntimeHarness harness(
        settingsWith([](PurloSettings& settings) { settings.pinnedMessage = " \n\t"; }));
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    EXPECT_EQ(harness.scene().message, std::nullopt) << "blanks never show";
    harness.change([](PurloSettings& settings) { settings.pinnedMessage = "hello"; });
    harness.tick();
    EXPECT_EQ(harness.scene().message->text, "hello");
    runtime.pet();
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

TEST(RuntimeTick, AnUnchangedWorldPublishesNothingAndVisibilityIsCarriedOver) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    harness.loop.advance(1);
    Deliveries scene(runtime.scene());
    Deliveries others[] = {Deliveries(runtime.pomodoro()), Deliveries(runtime.agentEventHistory()),
                           Deliveries(runtime.activeApp()),
                           Deliveries(runtime.companionAcceptsMouse()),
                           Deliveries(runtime.settings())};
    harness.tick();
    harness.tick();
    harness.loop.advance(5);
    EXPECT_EQ(scene.count(), 0);
    for (const auto& deliveries : others) {
        EXPECT_EQ(deliveries.count(), 0);
    }

    runtime.setCompanionVisible(false);
    harness.loop.advance(1);
    EXPECT_FALSE(harness.scene().isVisible);
    EXPECT_EQ(scene.count(), 1) << "the engine's own visibility is never published";
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
        {1.0, {106, 114}, true},  {1.0, {245.9, 253.9}, true}, {1.0, {246, 150}, false},
        {1.0, {150, 254}, false}, {1.0, {105.9, 150}, false},  {0.5, {121.9, 150}, false},
        {0.5, {122, 150}, true},  {2.0, {93.2, 150}, true},    {2.0, {93.1, 150}, false},
    };
    for (const auto& [companionScale, pointer, accepts] : cases) {
        SCOPED_TRACE(::testing::Message()
                     << companionScale << " at " << pointer.x << ", " << pointer.y);
        RuntimeHarness harness(settingsWith(
            [&](PurloSettings& settings) { settings.companionScale = companionScale; }));
        harness.pointer.position = pointer;
        harness.runtime().start();
        harness.tick();
        EXPECT_EQ(*harness.runtime().companionAcceptsMouse(), accepts);
    }

    RuntimeHarness harness;
    harness.pointer.position = {10, 10};
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.companionDragBegan();
    EXPECT_TRUE(*runtime.companionAcceptsMouse());
    runtime.companionDragEnded();
    harness.tick();
    EXPECT_FALSE(*runtime.companionAcceptsMouse());
}

} // namespace
} // namespace purlo
