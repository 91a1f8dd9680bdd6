#include "settings/SettingsView.h"
#include "ui/OnboardingView.h"
#include "ui/PurloMenuBarView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <utility>
#include <vector>
// Last, so that its macros meet none of the headers above.
#include "tests/app/RealProgram.h"
#include "tests/app/RelayedDisplay.h"

namespace purlo {
namespace {

using testing::Profile;
using testing::Purlo;

constexpr QSize settingsSize = SettingsView::contentSize;
constexpr QSize onboardingSize = OnboardingView::fixedSize;
constexpr QSize popoverSize{PurloMenuBarView::fixedWidth, 0};

// The program's display as a person sees it, where its windows are brought up step by
// step: each step true once the screen shows what it did. A tray host, when one is
// asked for, runs in tray.
struct Desktop {
    Desktop(const Profile& profile, const std::string& display, std::optional<testing::Tray>& tray)
        : profile(profile)
        , screen(display)
        , tray(tray) {}

    bool catCameOut() { return screen.awaited(testing::herWindowSize).has_value(); }
    bool showsOnboarding() { return screen.awaited(onboardingSize).has_value(); }
    // A second start brings Settings forward, as it does from a desktop's launcher.
    bool openSettings() {
        Purlo second(profile, screen.name);
        return second.ended() == 0 && screen.awaited(settingsSize).has_value();
    }
    bool closeSettings() {
        screen.close(settingsSize);
        return !screen.awaited(settingsSize, false).has_value();
    }
    // A tray host takes the paw; a click on it opens the popover.
    bool openPopover() {
        tray.emplace(screen, "top");
        trayRuns = tray->running;
        const auto paw = trayRuns ? tray->withPaw(screen) : std::nullopt;
        if (!paw) {
            return false;
        }
        screen.click(paw->center());
        return screen.awaited(popoverSize).has_value();
    }

    const Profile& profile;
    testing::Screen screen;
    std::optional<testing::Tray>& tray;
    bool trayRuns = true;
};

using Step = bool (Desktop::*)();

// How the program's display ends.
enum class Ending {
    serverStops,
    // The server dies while she draws: her connection refuses her next frame before she
    // can read that it closed.
    writeRefusedFirst,
    // Asked to end, as a desktop's logout does.
    askedToEnd,
};

// When the X server goes (at logout, or when it dies), Qt ends the program on its own with
// exit(1): nothing is unwound and nothing hears that the program quits. Whatever windows
// were made or open by then, the program ends with that status, never on a signal; asked
// to end instead, it ends with 0.
TEST(EndToEndOnALostDisplay, TheProgramEndsWithoutACrashWhateverWindowsItMade) {
    if (!testing::programResources()) {
        GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): no program to run";
    }
    struct Case {
        const char* windows;
        bool onboarded;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"Settings open", true, {&Desktop::catCameOut, &Desktop::openSettings}},
        {"Settings closed",
         true,
         {&Desktop::catCameOut, &Desktop::openSettings, &Desktop::closeSettings}},
        {"Settings closed and opened again",
         true,
         {&Desktop::catCameOut, &Desktop::openSettings, &Desktop::closeSettings,
          &Desktop::openSettings}},
        {"onboarding open", false, {&Desktop::showsOnboarding}},
        {"Settings and the popover open",
         true,
         {&Desktop::catCameOut, &Desktop::openSettings, &Desktop::openPopover}},
    };
    const std::pair<Ending, const char*> endings[] = {
        {Ending::serverStops, "the display lost"},
        {Ending::writeRefusedFirst, "a write refused as the display went"},
        {Ending::askedToEnd, "asked to end"},
    };
    for (const Case& test : cases) {
        for (const auto& [ending, how] : endings) {
            SCOPED_TRACE(std::string(test.windows) + ", " + how);
            testing::OwnServer server({"-screen", "0", "1440x900x24", "-noreset", "+extension",
                                       "XInputExtension", "+extension", "MIT-SCREEN-SAVER"});
            if (server.name.empty()) {
                GTEST_SKIP() << "Xvfb does not start here.";
            }
            testing::RelayedDisplay relay(server.name);
            ASSERT_FALSE(relay.name.empty()) << "no relay to the display";
            const Profile profile(test.onboarded);
            Purlo purlo(profile, ending == Ending::writeRefusedFirst ? relay.name : server.name);
            std::optional<testing::Tray> tray;
            {
                // Closed before the server goes: Xlib ends a program whose server is gone.
                Desktop desktop(profile, server.name, tray);
                for (std::size_t step = 0; step < test.steps.size(); ++step) {
                    const bool done = (desktop.*test.steps[step])();
                    if (!desktop.trayRuns) {
                        GTEST_SKIP() << "trayer does not run here: no tray to open the popover";
                    }
                    ASSERT_TRUE(done) << "step " << step + 1 << " failed";
                }
            }
            switch (ending) {
            case Ending::serverStops:
                server.stop();
                break;
            case Ending::writeRefusedFirst:
                relay.loseTheDisplay();
                break;
            case Ending::askedToEnd:
                purlo.terminate();
                break;
            }
            ASSERT_TRUE(purlo.waitForFinished(10000)) << "it runs on";
            EXPECT_EQ(purlo.exitStatus(), QProcess::NormalExit)
                << "ended by signal " << purlo.exitCode() << ": "
                << purlo.readAllStandardError().toStdString();
            EXPECT_EQ(purlo.exitCode(), ending == Ending::askedToEnd ? 0 : 1);
        }
    }
}

} // namespace
} // namespace purlo
