#include "tests/support/RuntimeHarness.h"

#include <functional>
#include <gtest/gtest.h>

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

TEST(RuntimePlacement, ResetAndCornersUseThePointersScreenInsideThePadding) {
    using enum CompanionScreenCorner;
    const auto corner = [](CompanionScreenCorner which) {
        return [which](PurloRuntime& runtime) {
            runtime.moveCompanion(which);
        };
    };
    const auto reset = [](PurloRuntime& runtime) {
        runtime.resetPosition();
    };
    const struct {
        const char* name;
        std::function<void(PurloRuntime&)> move;
        Point pointer;
        std::int64_t padding;
        Point expected;
    } cases[] = {
        {"reset, padding used up to 96", reset, {2000, 500}, 200, {1440 + 96, 120}},
        {"reset, negative padding", reset, {2000, 500}, -20, {1440, 120}},
        {"reset on the main screen", reset, {100, 100}, 8, {96, 120}},
        {"top left", corner(topLeft), {2000, 500}, 8, {1448, 1080 - 204 - 8}},
        {"top right", corner(topRight), {2000, 500}, 8, {3360 - 168, 1080 - 204 - 8}},
        {"bottom left", corner(bottomLeft), {100, 100}, 8, {8, 8}},
        {"bottom right", corner(bottomRight), {2000, 500}, 200, {3360 - 160 - 96, 96}},
    };
    for (const auto& [name, move, pointer, padding, expected] : cases) {
        SCOPED_TRACE(name);
        RuntimeHarness harness(padded(padding));
        harness.screens.frames = {mainScreen, secondScreen};
        PurloRuntime& runtime = harness.runtime();
        runtime.start();
        harness.pointer.position = pointer;
        move(runtime);
        EXPECT_EQ(harness.scene().position, expected);
        EXPECT_EQ(runtime.behaviorEngine().state.position, expected);
        EXPECT_EQ(PurloSettings::load(harness.store).settings.companionPlacement,
                  (CompanionPlacement{expected.x, expected.y}));
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

TEST(RuntimePlacement, SheIsBroughtBackWhenTooLittleOfHerIsOnScreen) {
    const struct {
        const char* name;
        std::vector<Rect> screens;
        Point stored;
        Point expected;
    } cases[] = {
        {"enough on screen stays", {mainScreen}, {1440 - 56, 300}, {1440 - 56, 300}},
        {"too little comes back", {mainScreen}, {1440 - 50, 300}, {1440 - 168, 300}},
        {"no screens: the fallback frame", {}, {3000, 2000}, {1440 - 168, 900 - 212}},
    };
    for (const auto& [name, screens, stored, expected] : cases) {
        SCOPED_TRACE(name);
        RuntimeHarness harness(padded(8, CompanionPlacement{stored.x, stored.y}));
        harness.screens.frames = screens;
        harness.runtime().start();
        EXPECT_EQ(harness.scene().position, expected);
        EXPECT_EQ(harness.settings().companionPlacement,
                  (CompanionPlacement{expected.x, expected.y}));
    }
}

TEST(RuntimePlacement, ScreenFramesAreReadAtMostOnceASecondWhileThereAreAny) {
    RuntimeHarness harness;
    harness.runtime().start();
    const int reads = harness.screens.readCount;
    harness.loop.advance(0.95);
    EXPECT_EQ(harness.screens.readCount, reads);
    harness.loop.advance(0.1);
    EXPECT_EQ(harness.screens.readCount, reads + 1);

    // Without screens every tick asks again.
    harness.screens.frames.clear();
    harness.loop.advance(1.0);
    const int withoutScreens = harness.screens.readCount;
    harness.loop.advance(0.3);
    EXPECT_EQ(harness.screens.readCount, withoutScreens + 3);
}

TEST(RuntimePlacement, AScreenChangeOrAWakeBringsHerBackAtOnce) {
    for (const bool wake : {false, true}) {
        SCOPED_TRACE(wake ? "wake" : "screen change");
        RuntimeHarness harness(padded(8, CompanionPlacement{2500, 400}));
        harness.screens.frames = {mainScreen, secondScreen};
        harness.runtime().start();
        ASSERT_EQ(harness.scene().position, (Point{2500, 400}));

        // No tick runs in between: the notice itself places her, once the frames read
        // before it have served out their second.
        harness.screens.frames = {mainScreen};
        harness.clock.advance(1.0);
        wake ? harness.observers.wake() : harness.observers.changeScreenParameters();
        EXPECT_EQ(harness.scene().position, (Point{1440 - 168, 400}));
    }
}

} // namespace
} // namespace purlo
