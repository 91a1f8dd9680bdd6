#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::Deliveries;
using testing::RuntimeHarness;

constexpr Rect mainScreen{{0, 0}, {1440, 900}};
constexpr Rect secondScreen{{1440, 0}, {1920, 1080}};

RuntimeHarness& onTwoScreens(RuntimeHarness& harness, std::int64_t edgePadding) {
    harness.screens.frames = {mainScreen, secondScreen};
    PurloSettings settings;
    settings.companionEdgePadding = edgePadding;
    harness.storeSettings(settings);
    return harness;
}

TEST(RuntimePlacement, ResetPutsHerAtTheDefaultOriginOnThePointersScreen) {
    const struct {
        Point pointer;
        std::int64_t padding;
        Point expected;
    } cases[] = {
        {{2000, 500}, 200, {1440 + 96, 120}}, // the padding is used up to 96
        {{2000, 500}, 8, {1440 + 8, 120}},
        {{2000, 500}, -20, {1440, 120}},
        {{100, 100}, 8, {96, 120}},
    };
    for (const auto& [pointer, padding, expected] : cases) {
        SCOPED_TRACE(::testing::Message() << pointer.x << " padding " << padding);
        RuntimeHarness harness;
        onTwoScreens(harness, padding);
        PurloRuntime& runtime = harness.runtime();
        runtime.start();
        harness.pointer.position = pointer;
        runtime.resetPosition();
        EXPECT_EQ(harness.scene().position, expected);
        EXPECT_EQ(runtime.behaviorEngine().state.position, expected);
        EXPECT_EQ(harness.settings().companionPlacement,
                  (CompanionPlacement{expected.x, expected.y}));
    }
}

TEST(RuntimePlacement, CornersSitInsideThePaddingOfThePointersScreen) {
    using enum CompanionScreenCorner;
    const struct {
        CompanionScreenCorner corner;
        std::int64_t padding;
        Point expected;
    } cases[] = {
        {topLeft, 8, {1448, 1080 - 204 - 8}}, {topRight, 8, {3360 - 160 - 8, 1080 - 204 - 8}},
        {bottomLeft, 8, {1448, 8}},           {bottomRight, 200, {3360 - 160 - 96, 96}},
        {bottomRight, 0, {3360 - 160, 0}},
    };
    for (const auto& [corner, padding, expected] : cases) {
        SCOPED_TRACE(::testing::Message() << toString(corner) << " padding " << padding);
        RuntimeHarness harness;
        onTwoScreens(harness, padding);
        harness.pointer.position = {2000, 500};
        PurloRuntime& runtime = harness.runtime();
        runtime.start();
        runtime.moveCompanion(corner);
        EXPECT_EQ(harness.scene().position, expected);
        EXPECT_EQ(harness.settings().companionPlacement,
                  (CompanionPlacement{expected.x, expected.y}));
    }
}

TEST(RuntimePlacement, ANewPaddingPullsHerInOnlyWhenSheSitsOutsideIt) {
    RuntimeHarness harness;
    PurloSettings settings;
    settings.companionPlacement = CompanionPlacement{10, 10};
    harness.storeSettings(settings);
    PurloRuntime& runtime = harness.runtime();
    runtime.start();

    harness.change([](PurloSettings& changed) { changed.companionEdgePadding = 5; });
    Deliveries scene(runtime.scene());
    Deliveries stored(runtime.settings());
    runtime.reclampCompanionPosition();
    EXPECT_EQ(stored.count(), 0) << "already inside: nothing new to store";
    EXPECT_EQ(scene.count(), 0);

    harness.change([](PurloSettings& changed) { changed.companionEdgePadding = 40; });
    runtime.reclampCompanionPosition();
    EXPECT_EQ(harness.scene().position, (Point{40, 40}));
    EXPECT_EQ(harness.settings().companionPlacement, (CompanionPlacement{40, 40}));
}

TEST(RuntimePlacement, SheIsBroughtBackWhenTooLittleOfHerIsOnScreen) {
    const struct {
        const char* name;
        std::vector<Rect> screens;
        Point stored;
        Point expected;
    } cases[] = {
        {"enough on screen stays", {mainScreen}, {1440 - 56, 300}, {1440 - 56, 300}},
        {"too little comes back", {mainScreen}, {1440 - 50, 300}, {1440 - 160 - 8, 300}},
        {"a screen that went away", {mainScreen}, {2500, 300}, {1440 - 160 - 8, 300}},
        {"no screens: the fallback frame", {}, {3000, 2000}, {1440 - 160 - 8, 900 - 204 - 8}},
    };
    for (const auto& [name, screens, stored, expected] : cases) {
        SCOPED_TRACE(name);
        RuntimeHarness harness;
        harness.screens.frames = screens;
        PurloSettings settings;
        settings.companionPlacement = CompanionPlacement{stored.x, stored.y};
        harness.storeSettings(settings);
        harness.runtime().start();
        EXPECT_EQ(harness.scene().position, expected);
        EXPECT_EQ(harness.settings().companionPlacement,
                  (CompanionPlacement{expected.x, expected.y}));
    }
}

TEST(RuntimePlacement, ScreenFramesAreReadAtMostOnceASecondWhileThereAreAny) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    runtime.start();
    const int reads = harness.screens.readCount;
    harness.loop.advance(0.95);
    EXPECT_EQ(harness.screens.readCount, reads);
    harness.loop.advance(0.1);
    EXPECT_EQ(harness.screens.readCount, reads + 1);

    // The display goes away: the old frames serve out their second, then every tick
    // asks again until a screen is back.
    harness.screens.frames.clear();
    harness.loop.advance(1.0);
    const int withoutScreens = harness.screens.readCount;
    harness.loop.advance(0.3);
    EXPECT_EQ(harness.screens.readCount, withoutScreens + 3);
}

TEST(RuntimePlacement, AScreenChangeOrAWakeBringsHerBackAtOnce) {
    for (const bool wake : {false, true}) {
        SCOPED_TRACE(wake ? "wake" : "screen change");
        RuntimeHarness harness;
        harness.screens.frames = {mainScreen, secondScreen};
        PurloSettings settings;
        settings.companionPlacement = CompanionPlacement{2500, 400};
        harness.storeSettings(settings);
        PurloRuntime& runtime = harness.runtime();
        runtime.start();
        ASSERT_EQ(harness.scene().position, (Point{2500, 400}));

        // No tick runs in between: the notice itself places her, once the frames read
        // before it have served out their second.
        harness.screens.frames = {mainScreen};
        harness.clock.advance(1.0);
        Deliveries scene(runtime.scene());
        if (wake) {
            harness.observers.wake();
        } else {
            harness.observers.changeScreenParameters();
        }
        EXPECT_EQ(harness.scene().position, (Point{1440 - 160 - 8, 400}));
        EXPECT_GE(scene.count(), 1);
    }
}

} // namespace
} // namespace purlo
