#include "tests/support/RuntimeHarness.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace purlo {
namespace {

using testing::Deliveries;
using testing::RuntimeHarness;
using testing::settingsWith;

constexpr Rect mainScreen{{0, 0}, {1440, 900}};
constexpr Rect secondScreen{{1440, 0}, {1920, 1080}};

PurloSettings padded(std::int64_t padding, std::optional<CompanionPlacement> placement = {}) {
    return settingsWith([&](PurloSettings& settings) {
        settings.companionEdgePadding = padding;
        settings.companionPlacement = placement;
    });
}

TEST(RuntimeStartStop, StartingTwiceMakesOneTimerAndStampsOnceAndEachStartMeasuresTheAbsence) {
    RuntimeHarness harness;
    // Last seen in the future: the clock was set back, and no absence is negative.
    harness.store.setDate(PurloRuntime::lastSeenKey, harness.clock.now().addingSeconds(500));
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    EXPECT_EQ(runtime.storedAbsenceSeconds(), 0);
    const auto stamped = harness.store.date(PurloRuntime::lastSeenKey);
    ASSERT_EQ(stamped, harness.clock.now());
    harness.loop.advance(30);
    runtime.start();
    EXPECT_EQ(harness.store.date(PurloRuntime::lastSeenKey), stamped);
    EXPECT_EQ(harness.loop.activeTimerCount(), 1U);
    EXPECT_EQ(harness.observers.observerCount(), 3U);
    runtime.stop();
    harness.clock.advance(7200);
    runtime.start();
    EXPECT_NEAR(runtime.storedAbsenceSeconds(), 7230, 1e-3);
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
    testing::writeFile(gate, "1 another-session");
    runtime.stop();
    EXPECT_EQ(testing::readFile(gate), "1 another-session");
    runtime.start(); // undecided again, so the listener is switched on afresh
    EXPECT_TRUE(harness.keys.isListening());
}

TEST(RuntimeTick, QuietHoursMaskTheAppSilenceTypingAndHideThePinnedMessage) {
    for (const bool quiet : {false, true}) {
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
        EXPECT_EQ(harness.scene().message == pinned, !quiet) << quiet;
    }
}

TEST(RuntimeTick, AListenerThatCouldNotStartIsTriedAgainOnEveryTickUntilItRuns) {
    RuntimeHarness harness;
    harness.keys.granted = false;
    harness.runtime().start();
    harness.loop.advance(0.35);
    EXPECT_FALSE(harness.keys.isListening());
    harness.keys.granted = true; // access given while she runs
    harness.loop.advance(0.1);
    EXPECT_TRUE(harness.keys.isListening());
}

TEST(RuntimeTick, AnInteractionReachesTheEngineOnceAndAnUnchangedWorldPublishesNothing) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    runtime.pet();
    const double petUntil = runtime.behaviorEngine().state.petUntil;
    EXPECT_DOUBLE_EQ(petUntil, harness.clock.uptime() + 2.4);
    harness.loop.advance(3);
    EXPECT_EQ(runtime.behaviorEngine().state.petUntil, petUntil);

    Deliveries published[] = {Deliveries(runtime.scene()),
                              Deliveries(runtime.pomodoro()),
                              Deliveries(runtime.agentEventHistory()),
                              Deliveries(runtime.activeApp()),
                              Deliveries(runtime.companionAcceptsMouse()),
                              Deliveries(runtime.settings())};
    harness.tick();
    harness.loop.advance(5);
    for (const auto& deliveries : published) {
        EXPECT_EQ(deliveries.count(), 0);
    }
    runtime.setCompanionVisible(false);
    harness.loop.advance(1);
    EXPECT_FALSE(harness.scene().isVisible);
    EXPECT_EQ(published[0].count(), 1) << "the engine's own visibility is never published";
}

TEST(RuntimeTick, AHiddenCatLeavesThePointerAloneUntilSheIsShownAgain) {
    const FrontmostApplication editor{"Code", "com.visualstudio.code"};
    // How she is hidden, and how she comes back.
    const std::tuple<const char*, std::function<void(RuntimeHarness&)>,
                     std::function<void(RuntimeHarness&)>>
        cases[] = {
            {"hidden by the user",
             [](RuntimeHarness& h) { h.runtime().setCompanionVisible(false); },
             [](RuntimeHarness& h) {
                 h.runtime().setCompanionVisible(true);
             }},
            {"out of the way of the application in front",
             [&](RuntimeHarness& h) { h.applications.application = editor; },
             [](RuntimeHarness& h) {
                 h.applications.application.reset();
             }},
        };
    for (const auto& [name, hide, show] : cases) {
        RuntimeHarness harness(settingsWith([](PurloSettings& settings) {
            settings.companionPresenceMode = CompanionPresenceMode::autoHideWhenAppsActive;
        }));
        PurloRuntime& runtime = harness.runtime();
        harness.idle.seconds = 0; // someone is busy at the desktop all along
        harness.pointer.position = {300, 300};
        runtime.start();
        hide(harness);
        // The frontmost application is read every two seconds.
        harness.loop.advance(2.1);
        const int readsWhenHidden = harness.pointer.readCount;
        harness.pointer.position = {700, 400};
        harness.loop.advance(3);
        EXPECT_EQ(harness.pointer.readCount, readsWhenHidden) << name;
        show(harness);
        harness.loop.advance(2.1);
        EXPECT_GT(harness.pointer.readCount, readsWhenHidden) << name << ": shown, she looks again";
    }
}

TEST(RuntimeTick, TheWindowTakesTheMouseOverHerBodyAndThroughoutADrag) {
    // At (96, 120) her body with its margin spans x 106...246 (122...230, 93.2...258.8 scaled).
    const std::tuple<double, Point, bool> cases[] = {
        {1.0, {106, 114}, true},  {1.0, {245.9, 253.9}, true}, {1.0, {246, 150}, false},
        {1.0, {150, 254}, false}, {0.5, {121.9, 150}, false},  {0.5, {122, 150}, true},
        {2.0, {93.2, 150}, true}, {2.0, {93.1, 150}, false},
    };
    for (const auto& [companionScale, pointer, accepts] : cases) {
        RuntimeHarness harness(settingsWith(
            [&](PurloSettings& settings) { settings.companionScale = companionScale; }));
        harness.pointer.position = pointer;
        harness.runtime().start();
        EXPECT_EQ(*harness.runtime().companionAcceptsMouse(), accepts)
            << companionScale << " at " << pointer.x << ", " << pointer.y;
        harness.runtime().companionDragBegan();
        EXPECT_TRUE(*harness.runtime().companionAcceptsMouse());
    }
}

TEST(RuntimePlacement, ResetAndCornersUseThePointersScreenInsideThePadding) {
    using enum CompanionScreenCorner;
    const std::tuple<std::optional<CompanionScreenCorner>, Point, std::int64_t, Point> cases[] = {
        {std::nullopt, {2000, 500}, 200, {1440 + 96, 120}},
        {std::nullopt, {2000, 500}, -20, {1440, 120}},
        {topRight, {2000, 500}, 8, {3360 - 168, 1080 - 204 - 8}},
        {bottomLeft, {100, 100}, 8, {8, 8}},
        {bottomRight, {2000, 500}, 200, {3360 - 160 - 96, 96}},
    };
    for (const auto& [corner, pointer, padding, at] : cases) {
        RuntimeHarness harness(padded(padding));
        harness.screens.frames = {mainScreen, secondScreen};
        harness.runtime().start();
        harness.pointer.position = pointer;
        corner ? harness.runtime().moveCompanion(*corner) : harness.runtime().resetPosition();
        EXPECT_EQ(harness.scene().position, at);
        EXPECT_EQ(harness.stored().companionPlacement, (CompanionPlacement{at.x, at.y}));
    }
}

TEST(RuntimePlacement, ANewPaddingPullsHerInOnlyWhenSheSitsOutsideIt) {
    RuntimeHarness harness(padded(8, CompanionPlacement{10, 10}));
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    harness.change([](PurloSettings& settings) { settings.companionEdgePadding = 5; });
    Deliveries scene(runtime.scene());
    Deliveries stored(runtime.settings());
    runtime.reclampCompanionPosition();
    EXPECT_EQ(stored.count() + scene.count(), 0) << "already inside: nothing to write";
    harness.change([](PurloSettings& settings) { settings.companionEdgePadding = 40; });
    runtime.reclampCompanionPosition();
    EXPECT_EQ(harness.scene().position, (Point{40, 40}));
    EXPECT_EQ(harness.settings().companionPlacement, (CompanionPlacement{40, 40}));
}

TEST(RuntimePlacement, SheIsBroughtBackWhenTooLittleOfHerIsOnAUsableScreen) {
    const std::tuple<std::vector<Rect>, Point, Point> cases[] = {
        {{mainScreen}, {1440 - 56, 300}, {1440 - 56, 300}},
        {{mainScreen}, {1440 - 50, 300}, {1440 - 168, 300}},
        // Only screens without area or place: the fallback frame.
        {{Rect{{0, 0}, {0, 900}}, Rect{{NAN, 0}, {800, 600}}}, {3000, 2000}, {1272, 688}},
    };
    for (const auto& [screens, stored, at] : cases) {
        RuntimeHarness harness(padded(8, CompanionPlacement{stored.x, stored.y}));
        harness.screens.frames = screens;
        harness.runtime().start();
        EXPECT_EQ(harness.scene().position, at) << stored.x;
        EXPECT_EQ(harness.settings().companionPlacement, (CompanionPlacement{at.x, at.y}));
    }
}

TEST(RuntimePlacement, ScreensAreReadAtMostOnceASecondWhileThereAreAny) {
    RuntimeHarness harness(padded(8, CompanionPlacement{2500, 400}));
    harness.screens.frames = {mainScreen, secondScreen};
    harness.runtime().start();
    const int reads = harness.screens.readCount;
    harness.screens.frames = {mainScreen};
    harness.loop.advance(0.95);
    EXPECT_EQ(harness.screens.readCount, reads);
    EXPECT_EQ(harness.scene().position, (Point{2500, 400}));
    harness.loop.advance(0.1);
    EXPECT_EQ(harness.screens.readCount, reads + 1);
    EXPECT_EQ(harness.scene().position, (Point{1440 - 168, 400}));
    harness.screens.frames.clear();
    harness.loop.advance(1.0);
    const int withoutScreens = harness.screens.readCount;
    harness.loop.advance(0.3);
    EXPECT_EQ(harness.screens.readCount, withoutScreens + 3) << "none: every tick asks again";
}

} // namespace
} // namespace purlo
