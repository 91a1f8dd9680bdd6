#include "companion/qt/ButterflyWindowController.h"
#include "tests/companion/CompanionWindowFixture.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::onboarded;
using testing::RecordingPanelHints;
using testing::RuntimeHarness;
using testing::settingsWith;

struct ButterflyWindow {
    explicit ButterflyWindow(const PurloSettings& settings = onboarded())
        : harness(settings) {
        harness.runtime().start();
        harness.loop.runPending();
    }

    CompanionScene flying(Point at, bool visible = true) const {
        CompanionScene scene;
        scene.butterflyPosition = at;
        scene.isVisible = visible;
        return scene;
    }

    RuntimeHarness harness;
    RecordingPanelHints hints;
    ButterflyWindowController controller{
        harness.runtime(), DesktopWindowContext{harness.loop, hints, harness.appearance, "purlo"}};
    DesktopPanel& panel = controller.window();
};

TEST(ButterflyWindowController, FliesCentredOnTheButterflyAndAlwaysLetsClicksThrough) {
    ButterflyWindow window;
    EXPECT_TRUE(window.panel.ignoresMouseEvents());
    EXPECT_EQ(window.panel.size(), QSize(72, 72));
    EXPECT_FALSE(window.panel.isVisible()) << "the runtime's scenes carry no butterfly yet";

    const PurloSettings& settings = window.harness.settings();
    window.controller.update(window.flying({300, 400}), settings, std::nullopt);
    EXPECT_TRUE(window.panel.isVisible());
    EXPECT_EQ(window.panel.origin(), (Point{264, 364}));
    EXPECT_TRUE(window.panel.ignoresMouseEvents());

    window.controller.update(window.flying({310, 395}), settings, std::nullopt);
    EXPECT_EQ(window.panel.origin(), (Point{274, 359}));

    // The flight ends: hidden where it was.
    window.controller.update(CompanionScene{}, settings, std::nullopt);
    EXPECT_FALSE(window.panel.isVisible());
    EXPECT_EQ(window.panel.origin(), (Point{274, 359}));
}

TEST(ButterflyWindowController, ShowsOnlyWhenTheCatHerselfMayBeSeen) {
    using enum CompanionPresenceMode;
    const struct {
        const char* name;
        PurloSettings settings;
        bool sceneVisible;
        std::optional<std::string> frontmost;
        bool shown;
        DesktopPanel::Level level;
    } cases[] = {
        {"floating", onboarded(), true, "org.gnome.Terminal", true, DesktopPanel::Level::floating},
        {"the user hid her", onboarded(), false, std::nullopt, false,
         DesktopPanel::Level::floating},
        {"before onboarding", PurloSettings{}, true, std::nullopt, false,
         DesktopPanel::Level::floating},
        {"auto-hide with another application in front",
         onboarded(settingsWith(
             [](PurloSettings& s) { s.companionPresenceMode = autoHideWhenAppsActive; })),
         true, "org.gnome.Terminal", false, DesktopPanel::Level::floating},
        {"auto-hide with the program itself in front", onboarded(settingsWith([](PurloSettings& s) {
             s.companionPresenceMode = autoHideWhenAppsActive;
         })),
         true, "purlo", true, DesktopPanel::Level::floating},
        {"desktop level",
         onboarded(settingsWith([](PurloSettings& s) { s.companionPresenceMode = desktopLevel; })),
         true, std::nullopt, true, DesktopPanel::Level::desktop},
    };
    for (const auto& [name, settings, sceneVisible, frontmost, shown, level] : cases) {
        SCOPED_TRACE(name);
        ButterflyWindow window(settings);
        window.controller.update(window.flying({300, 400}, sceneVisible), settings, frontmost);
        EXPECT_EQ(window.panel.isVisible(), shown);
        EXPECT_EQ(window.panel.level(), level);
    }
}

} // namespace
} // namespace purlo
