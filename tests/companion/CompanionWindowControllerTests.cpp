#include "tests/companion/CompanionWindowFixture.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QWindow>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::CompanionWindowFixture;
using testing::onboarded;
using testing::settingsWith;
using testing::WindowEvents;
using Level = DesktopPanel::Level;

PurloSettings inMode(CompanionPresenceMode mode) {
    return onboarded(settingsWith([mode](PurloSettings& s) { s.companionPresenceMode = mode; }));
}

void frontmost(CompanionWindowFixture& window, std::optional<std::string> identifier) {
    window.harness.applications.application = FrontmostApplication{"App", std::move(identifier)};
    // The frontmost application is asked again after two seconds.
    window.tick(2.1);
}

TEST(CompanionWindowController, PresenceModesSetTheLevelAndHideHerOnlyForOtherApplications) {
    using enum CompanionPresenceMode;
    const struct {
        CompanionPresenceMode mode;
        std::optional<std::string> frontmost;
        bool shown;
        Level level;
    } cases[] = {
        {floatAboveApps, "org.gnome.Terminal", true, Level::floating},
        {desktopLevel, "org.gnome.Terminal", true, Level::desktop},
        {autoHideWhenAppsActive, "org.gnome.Terminal", false, Level::floating},
        {autoHideWhenAppsActive, std::nullopt, true, Level::floating},
        {autoHideWhenAppsActive, "", true, Level::floating},
        {autoHideWhenAppsActive, "purlo", true, Level::floating},
        {autoHideWhenAppsActive, "com.apple.finder", true, Level::floating},
        {autoHideWhenAppsActive, "Com.apple.finder", false, Level::floating},
    };
    for (const auto& [mode, identifier, shown, level] : cases) {
        SCOPED_TRACE(std::string(toString(mode)) + " with " + identifier.value_or("(none)"));
        CompanionWindowFixture window(inMode(mode));
        frontmost(window, identifier);
        EXPECT_EQ(window.panel().isVisible(), shown);
        EXPECT_EQ(window.panel().level(), level);
        EXPECT_FALSE(window.panel().isActiveWindow()) << "she never takes the focus";
    }
}

TEST(CompanionWindowController, ComesBackWhenTheUserReturnsFromAnotherApplication) {
    CompanionWindowFixture window(inMode(CompanionPresenceMode::autoHideWhenAppsActive));
    WindowEvents events(window.panel());
    frontmost(window, "org.mozilla.firefox");
    EXPECT_FALSE(window.panel().isVisible());
    frontmost(window, "purlo");
    EXPECT_TRUE(window.panel().isVisible());
    frontmost(window, "purlo");
    EXPECT_EQ(events.hides, 1);
    EXPECT_EQ(events.shows, 1) << "shown again once, not on every delivery";
    EXPECT_EQ(window.hints.prepared.size(), 2u) << "and made ready for the desktop again";
}

TEST(CompanionWindowController, SwitchingLevelsKeepsTheNativeWindow) {
    CompanionWindowFixture window;
    const WId native = window.panel().winId();
    ASSERT_EQ(window.hints.prepared, std::vector<std::uint64_t>{native});

    window.harness.change(
        [](PurloSettings& s) { s.companionPresenceMode = CompanionPresenceMode::desktopLevel; });
    window.harness.loop.runPending();
    EXPECT_EQ(window.panel().level(), Level::desktop);
    EXPECT_TRUE(window.panel().windowFlags().testFlag(Qt::WindowStaysOnBottomHint));
    EXPECT_TRUE(window.panel().isVisible());

    window.harness.change(
        [](PurloSettings& s) { s.companionPresenceMode = CompanionPresenceMode::floatAboveApps; });
    window.harness.loop.runPending();
    EXPECT_EQ(window.panel().level(), Level::floating);
    EXPECT_TRUE(window.panel().windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.panel().winId(), native) << "no new native window, so no flicker";
}

TEST(CompanionWindowController, AHiddenCatStillMovesSoSheReappearsInPlace) {
    CompanionWindowFixture window;
    window.runtime().setCompanionVisible(false);
    window.runtime().moveCompanion(CompanionScreenCorner::bottomRight);
    window.harness.loop.runPending();
    EXPECT_FALSE(window.panel().isVisible());
    EXPECT_EQ(window.panel().origin(), window.harness.scene().position);
    EXPECT_EQ(window.harness.scene().position, (Point{1440 - 168, 8}));

    window.runtime().setCompanionVisible(true);
    window.harness.loop.runPending();
    EXPECT_TRUE(window.panel().isVisible());
    EXPECT_EQ(window.panel().origin(), (Point{1440 - 168, 8}));
}

TEST(CompanionWindowController, StaysHiddenUntilOnboardingIsDone) {
    CompanionWindowFixture window{PurloSettings{}};
    window.tick(1);
    EXPECT_TRUE(window.harness.scene().isVisible);
    EXPECT_FALSE(window.panel().isVisible());

    window.runtime().completeOnboarding();
    window.harness.loop.runPending();
    EXPECT_TRUE(window.panel().isVisible());
}

TEST(CompanionWindowController, MovesThePanelOnlyWhenHerPositionChanges) {
    CompanionWindowFixture window;
    EXPECT_EQ(window.panel().origin(), (Point{96, 120}));
    WindowEvents events(window.panel());
    window.tick(3);
    EXPECT_EQ(events.moves, 0);

    window.runtime().moveCompanion(CompanionScreenCorner::topLeft);
    window.tick(1);
    EXPECT_EQ(events.moves, 1);
    EXPECT_EQ(window.panel().origin(), (Point{8, 900 - 204 - 8}));
}

TEST(CompanionWindowController, TakesTheMouseOnlyOverHerAndForgetsTheHoverWhenItCannot) {
    CompanionWindowFixture window;
    CompanionView& view = window.controller->view();
    window.harness.pointer.position = {900, 700};
    window.tick();
    EXPECT_TRUE(window.panel().ignoresMouseEvents());
    EXPECT_TRUE(window.panel().windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));

    window.harness.pointer.position = {170, 180}; // on her body
    window.tick();
    EXPECT_FALSE(window.panel().ignoresMouseEvents());
    // Only a change is forwarded: ticks that find the same answer leave the panel alone.
    window.panel().setIgnoresMouseEvents(true);
    window.tick(0.5);
    EXPECT_TRUE(window.panel().ignoresMouseEvents());
    window.panel().setIgnoresMouseEvents(false);
    QEnterEvent enter(QPointF(80, 120), QPointF(80, 120), QPointF(170, 720));
    QCoreApplication::sendEvent(&view.mouseLayer(), &enter);
    EXPECT_TRUE(view.pointerHovering());

    // Click-through windows hear no leave; the hover must still end.
    window.harness.pointer.position = {900, 700};
    window.tick();
    EXPECT_TRUE(window.panel().ignoresMouseEvents());
    EXPECT_FALSE(view.pointerHovering());

    window.harness.pointer.position = {170, 180};
    window.tick();
    QCoreApplication::sendEvent(&view.mouseLayer(), &enter);
    EXPECT_TRUE(view.pointerHovering()) << "the next arrival is a hover again";
}

TEST(CompanionWindowController, TitleFollowsTheSanitisedName) {
    CompanionWindowFixture window;
    EXPECT_EQ(window.panel().windowTitle(), "Purlo");
    const struct {
        const char* name;
        const char* title;
    } cases[] = {{"  Mochi ", "Mochi"}, {"   ", "Purlo"}, {"Tofu", "Tofu"}};
    for (const auto& [name, title] : cases) {
        window.harness.change([&](PurloSettings& s) { s.companionName = name; });
        window.harness.loop.runPending();
        EXPECT_EQ(window.panel().windowTitle(), title);
        EXPECT_EQ(window.controller->viewModel().snapshot()->companionName, title);
    }
}

TEST(CompanionWindowController, ReduceMotionHoldsHerStill) {
    CompanionWindowFixture window;
    EXPECT_FALSE(window.controller->view().cat().reduceMotion());
    window.harness.appearance.reducesMotion = true;
    window.controller->refreshAppearance();
    EXPECT_TRUE(window.controller->view().cat().reduceMotion());
}

} // namespace
} // namespace purlo
