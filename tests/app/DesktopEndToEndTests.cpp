#include "tests/app/CatProbes.h"
#include "tests/app/PurloProcess.h"
#include "tests/app/X11TestScreen.h"
#include "tests/companion/BuildFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using namespace std::chrono_literals;
using testing::eventually;
using testing::PurloProcess;
using testing::PurloProfile;
using testing::X11TestScreen;
namespace probes = testing::catProbes;

constexpr QSize panelSize{160, 204};

// Someone who has been through onboarding, with a cat who stays where she is put, so
// that no game of hers moves her panel while she is looked at.
PurloSettings settledUser(std::optional<CompanionPlacement> placement = {}) {
    PurloSettings settings;
    settings.hasCompletedFirstRunOnboarding = true;
    settings.companionMovementMode = CompanionMovementMode::stayPut;
    // Not the honey default, which is near her confetti's yellow.
    settings.eyeColor = CatEyeColorPreset::sky;
    settings.companionPlacement = placement;
    return settings;
}

class DesktopEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (!screen.isOpen()) {
            GTEST_SKIP() << screen.unavailableReason();
        }
        if (!PurloProcess::program()) {
            GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): the program is not found";
        }
        // Far to her right: she faces the pointer, and it is nowhere near her.
        screen.movePointer(screen.size().width() - 20, screen.size().height() / 2);
    }

    std::optional<std::string> display() const { return screen.name(); }

    // Where the toolkit puts a panel whose lower-left corner is origin (y upward).
    QPoint topLeftOf(CompanionPlacement origin) const {
        return QPoint(static_cast<int>(origin.x),
                      screen.size().height() - static_cast<int>(origin.y) - panelSize.height());
    }

    // The cat's panel of the program, once it is on screen.
    std::optional<X11TestScreen::Window> shownPanel(const PurloProcess& purlo) {
        std::optional<X11TestScreen::Window> found;
        eventually([&] {
            for (const auto& window : screen.windowsOf(purlo.pid())) {
                if (window.mapped && window.geometry.size() == panelSize) {
                    found = window;
                }
            }
            return found.has_value();
        });
        return found;
    }

    // A screenshot once condition holds of it, kept for a person to look at.
    QImage screenshotWhen(const char* name, QPoint panel,
                          const std::function<bool(const QImage&)>& condition) {
        QImage shot;
        const bool held = eventually([&] {
            shot = screen.screenshot();
            return condition(shot);
        });
        if (const auto folder = testing::artifactsFolder()) {
            shot.copy(QRect(panel - QPoint(40, 40), panelSize + QSize(80, 80)))
                .scaled(480, 568)
                .save(folder->filePath(QString("desktop-%1.png").arg(name)));
        }
        EXPECT_TRUE(held) << "the screen never showed her " << name;
        return shot;
    }

    X11TestScreen screen;
};

TEST(DesktopEndToEndWithoutDisplay, SaysSoInOneLineAndFails) {
    if (!PurloProcess::program()) {
        GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): the program is not found";
    }
    PurloProfile profile;
    PurloProcess purlo(profile, std::nullopt);
    ASSERT_TRUE(purlo.waitForExit(10s));
    EXPECT_FALSE(purlo.crashed());
    EXPECT_NE(purlo.exitCode(), 0);
    EXPECT_EQ(purlo.standardError(),
              "Purlo needs an X11 display (an X11 session, or XWayland under "
              "Wayland), and DISPLAY is not set.\n");
}

TEST_F(DesktopEndToEnd, SheSitsWhereSheWasLeftTypesAlongThinksWithTheAgentAndCheers) {
    const CompanionPlacement stored{300, 200};
    PurloProfile profile;
    profile.storeSettings(settledUser(stored));
    PurloProcess purlo(profile, display());

    const auto panel = shownPanel(purlo);
    ASSERT_TRUE(panel) << "no 160 x 204 window of the program appeared";
    const QPoint at = topLeftOf(stored);
    EXPECT_EQ(panel->geometry.topLeft(), at);
    EXPECT_EQ(panel->desktop, 0xFFFFFFFFul) << "on every workspace";
    for (const char* state : {"_NET_WM_STATE_STICKY", "_NET_WM_STATE_SKIP_TASKBAR",
                              "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_ABOVE"}) {
        EXPECT_NE(std::ranges::find(panel->states, state), panel->states.end()) << state;
    }

    screenshotWhen("sitting", at, [&](const QImage& shot) {
        return probes::drawnPixels(shot, at) > 3000 && probes::frontPawBottoms(shot, at) &&
               !probes::pawsAtDifferentHeights(shot, at);
    });

    const auto typing = [&](const QImage& shot) {
        screen.pressAndReleaseKey('a');
        return probes::pawsAtDifferentHeights(shot, at);
    };
    screenshotWhen("typing", at, typing);

    EXPECT_TRUE(std::filesystem::exists(profile.supportFolder() / "Integrations" / "enabled"));
    profile.writeAgentEvent(R"({"event":"thinking","source":"codex"})");
    screenshotWhen("thinking", at,
                   [&](const QImage& shot) { return probes::thoughtCloudPixels(shot, at) >= 10; });
    profile.writeAgentEvent(R"({"event":"completed","source":"codex"})");
    screenshotWhen("celebrating", at,
                   [&](const QImage& shot) { return probes::confettiPixels(shot, at) >= 2; });

    purlo.terminate();
    ASSERT_TRUE(purlo.waitForExit(10s));
    EXPECT_FALSE(purlo.crashed());
    EXPECT_EQ(purlo.exitCode(), 0);
    EXPECT_FALSE(std::filesystem::exists(profile.supportFolder() / "Integrations" / "enabled"))
        << "stopping silences the agent hooks";
}

TEST_F(DesktopEndToEnd, ASecondStartHandsOverToTheFirstAndEnds) {
    PurloProfile profile;
    profile.storeSettings(settledUser());
    PurloProcess first(profile, display());
    const auto panel = shownPanel(first);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->geometry.topLeft(), topLeftOf({96, 120})) << "the default place";

    PurloProcess second(profile, display());
    ASSERT_TRUE(second.waitForExit(10s));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(first.isRunning());
    EXPECT_TRUE(shownPanel(first));

    first.terminate();
    ASSERT_TRUE(first.waitForExit(10s));
    EXPECT_EQ(first.exitCode(), 0);
}

} // namespace
} // namespace purlo
