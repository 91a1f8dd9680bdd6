#include "integrations/PurloInstallLocation.h"
#include "integrations/PurloMoveToApplicationsPrompter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeInstallPorts.h"
#include "tests/support/InMemoryKeyValueStore.h"
#include "tests/support/ManualEventLoop.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

namespace Prompter = PurloMoveToApplicationsPrompter;
using Location = PurloInstallLocation;

constexpr const char* home = "/Users/mia";
constexpr const char* onImage = "/Volumes/Purlo/Purlo.app";
constexpr const char* translocated = "/private/var/folders/x/AppTranslocation/AB12/d/Purlo.app";

TEST(InstallLocation, VolumeRootsTranslocationAndTheApplicationsFolders) {
    const struct {
        const char* path;
        std::optional<std::string> root;
    } roots[] = {
        {"/Volumes/Purlo/Purlo.app", "/Volumes/Purlo"},
        {"/Volumes/Purlo", "/Volumes/Purlo"},
        {"//Volumes//Purlo/Purlo.app/", "/Volumes/Purlo"},
        {"/Volumes", std::nullopt},
        {"/Volumes/", std::nullopt},
        {"/volumes/Purlo/Purlo.app", std::nullopt},
        {"Volumes/Purlo/Purlo.app", std::nullopt},
        {"/Users/mia/Volumes/Purlo", std::nullopt},
    };
    for (const auto& row : roots) {
        EXPECT_EQ(volumeRoot(row.path), row.root) << row.path;
    }

    const struct {
        const char* path;
        bool translocated;
    } translocations[] = {
        {translocated, true},
        {"/AppTranslocation/Purlo.app", true},
        {"/private/var/apptranslocation/d/Purlo.app", false},
        {"/private/var/AppTranslocations/d/Purlo.app", false},
        {"/Applications/Purlo.app", false},
    };
    for (const auto& row : translocations) {
        EXPECT_EQ(isTranslocatedPath(row.path), row.translocated) << row.path;
    }

    const struct {
        const char* path;
        bool inside;
    } folders[] = {
        {"/Applications/Purlo.app", true},
        {"/Users/mia/Applications/Purlo.app", true},
        {"~/Applications/Purlo.app", true},
        {"//Applications/./Purlo.app", true},
        {"/tmp/../Applications/Purlo.app", true},
        {"/Applications", false},
        {"/Applications/", false},
        {"/Users/mia/Applications", false},
        {"/ApplicationsOld/Purlo.app", false},
        {"/Users/mia/ApplicationsOld/Purlo.app", false},
        {"/Applications/../tmp/Purlo.app", false},
        {"/Users/ole/Applications/Purlo.app", false},
        {"Applications/Purlo.app", false},
    };
    for (const auto& row : folders) {
        EXPECT_EQ(isInApplicationsFolder(row.path, home), row.inside) << row.path;
        EXPECT_EQ(isInApplicationsFolder(row.path, "/Users/mia/"), row.inside)
            << row.path << " with the home folder written with a slash at its end";
    }
}

TEST(InstallLocation, ClassifiesAndLooksThroughTranslocationToTheImageItCameFrom) {
    testing::FakeInstallLocationProbe probe;
    probe.diskImages = {"/Volumes/Purlo"};
    const struct {
        const char* path;
        std::optional<std::string> openedFrom; // what the system says, if anything
        Location plain;
        Location forPrompt;
    } cases[] = {
        {onImage, std::nullopt, Location::diskImage("/Volumes/Purlo"),
         Location::diskImage("/Volumes/Purlo")},
        {"/Volumes/USB/Purlo.app", std::nullopt, Location::settled(), Location::settled()},
        {"/Volumes/USB/AppTranslocation/Purlo.app", std::nullopt, Location::settled(),
         Location::settled()},
        {translocated, std::nullopt, Location::translocated(), Location::translocated()},
        {translocated, onImage, Location::translocated(), Location::diskImage("/Volumes/Purlo")},
        {translocated, "/Volumes/USB/Purlo.app", Location::translocated(),
         Location::translocated()},
        {translocated, "/Users/mia/Downloads/Purlo.app", Location::translocated(),
         Location::translocated()},
        {"/Users/mia/Desktop/Purlo.app", std::nullopt, Location::settled(), Location::settled()},
    };
    for (const auto& row : cases) {
        probe.openedFrom.clear();
        if (row.openedFrom) {
            probe.openedFrom[row.path] = *row.openedFrom;
        }
        const Location plain = installLocation(row.path, probe);
        EXPECT_EQ(plain, row.plain) << row.path;
        const auto openedFrom = translocatedOriginalPath(row.path, plain, probe);
        EXPECT_EQ(openedFrom, row.plain == Location::translocated() ? row.openedFrom : std::nullopt)
            << row.path << ": only a translocated bundle asks where it was opened from";
        EXPECT_EQ(installLocation(row.path, openedFrom, probe), row.forPrompt) << row.path;
    }
}

// A program on fakes: the volume is there until the test removes it.
struct Move {
    Move() { files.items = {"/Volumes/Purlo"}; }

    testing::FakeClock clock{0};
    testing::ManualEventLoop loop{&clock};
    testing::FakeInstallLocationProbe probe;
    testing::FakeFileManager files;
    testing::FakeApplicationWorkspace workspace;
    testing::FakeBackgroundRunner background;
    testing::FakeAlertPresenter window;
    testing::InMemoryKeyValueStore defaults;
    int terminations = 0;
    const PurloMoveToApplicationsPorts ports{
        probe, files, workspace, loop, background.runner(), [this] { ++terminations; }, home};

    void prompt(const std::string& bundlePath) {
        Prompter::promptIfNeeded(ports, window, bundlePath, defaults);
        background.finish();
    }
    std::vector<Alert> alerts() const {
        auto all = window.sheets;
        all.insert(all.end(), window.modals.begin(), window.modals.end());
        return all;
    }
};

TEST(MoveToApplications, OffersTheMoveOnlyWhereItHelpsAndNeverAfterNotNow) {
    const std::string fromImage = "Ejecting the disk image would remove her.";
    const std::string fromCopy = "From a temporary folder she cannot update herself.";
    const struct {
        const char* path;
        std::optional<std::string> openedFrom;
        bool declined;
        std::optional<std::string> reason; // the prompt's informative text, if it shows
    } cases[] = {
        {onImage, std::nullopt, false, fromImage},
        {translocated, std::nullopt, false, fromCopy},
        {translocated, onImage, false, fromImage},
        {translocated, "/Applications/Purlo.app", false, std::nullopt},
        {translocated, "/Users/mia/Applications/Purlo.app", false, std::nullopt},
        {"/Applications/Purlo.app", std::nullopt, false, std::nullopt},
        {"/Users/mia/Applications/Purlo.app", std::nullopt, false, std::nullopt},
        {"/Volumes/Purlo/Purlo", std::nullopt, false, std::nullopt},
        {"/Volumes/Purlo/Purlo.app/", std::nullopt, false, std::nullopt},
        {"/Volumes/USB/Purlo.app", std::nullopt, false, std::nullopt},
        {"/Users/mia/Downloads/Purlo.app", std::nullopt, false, std::nullopt},
        {onImage, std::nullopt, true, std::nullopt},
        {translocated, std::nullopt, true, std::nullopt},
    };
    for (const auto& row : cases) {
        Move move;
        move.probe.diskImages = {"/Volumes/Purlo"};
        if (row.openedFrom) {
            move.probe.openedFrom[row.path] = *row.openedFrom;
        }
        if (row.declined) {
            move.defaults.setBoolean(Prompter::declinedKey, true);
        }
        move.prompt(row.path);
        const auto alerts = move.alerts();
        if (!row.reason) {
            EXPECT_TRUE(alerts.empty()) << row.path;
            continue;
        }
        ASSERT_EQ(alerts.size(), 1u) << row.path;
        EXPECT_EQ(alerts[0], (Alert{"Purlo runs best from your Applications folder.",
                                    *row.reason,
                                    {"Move to Applications", "Not now"}}))
            << row.path;
    }

    Move move;
    move.probe.diskImages = {"/Volumes/Purlo"};
    move.window.answer = std::nullopt; // closed without a choice
    move.prompt(onImage);
    EXPECT_EQ(move.defaults.boolean(Prompter::declinedKey), std::nullopt);
    move.window.answer = 1;
    move.prompt(onImage);
    EXPECT_EQ(move.defaults.boolean(Prompter::declinedKey), true);
    move.prompt(onImage);
    EXPECT_EQ(move.alerts().size(), 2u) << "after \"Not now\", also after a relaunch";
    EXPECT_TRUE(move.files.calls.empty());
}

TEST(MoveToApplications, MovesAnOldCopyAsideCopiesClearsQuarantineRelaunchesAndQuits) {
    Move move;
    move.probe.diskImages = {"/Volumes/Purlo"};
    move.files.items.insert("/Applications/Purlo.app");
    move.files.below = {"Contents", "Contents/MacOS"};
    move.window.answer = 0;
    move.window.visible = true;
    Prompter::promptIfNeeded(move.ports, move.window, onImage, move.defaults);
    EXPECT_EQ(move.window.sheets.size(), 1u) << "on the visible window";
    EXPECT_TRUE(move.window.modals.empty());
    EXPECT_TRUE(move.workspace.opened.empty()) << "the copy is not done yet";

    move.background.finish();
    EXPECT_EQ(move.files.calls,
              (std::vector<std::string>{
                  "trash /Applications/Purlo.app",
                  "copy /Volumes/Purlo/Purlo.app /Applications/Purlo.app",
                  "unset com.apple.quarantine /Applications/Purlo.app",
                  "unset com.apple.quarantine /Applications/Purlo.app/Contents",
                  "unset com.apple.quarantine /Applications/Purlo.app/Contents/MacOS",
              }));
    EXPECT_EQ(move.workspace.opened,
              (std::vector<testing::FakeApplicationWorkspace::Launch>{
                  {"/Applications/Purlo.app", {"--purlo-eject-volume", "/Volumes/Purlo"}}}));
    EXPECT_EQ(move.terminations, 1);
    EXPECT_EQ(move.window.sheets.size(), 1u) << "no failure to tell";

    Move fromCopy;
    fromCopy.window.answer = 0;
    fromCopy.prompt(translocated);
    ASSERT_EQ(fromCopy.window.modals.size(), 1u) << "no window: the program asks on its own";
    EXPECT_EQ(fromCopy.files.calls.front(),
              "copy " + std::string(translocated) + " /Applications/Purlo.app")
        << "nothing to move aside";
    EXPECT_EQ(fromCopy.workspace.opened, (std::vector<testing::FakeApplicationWorkspace::Launch>{
                                             {"/Applications/Purlo.app", {}}}))
        << "no image to eject";
}

TEST(MoveToApplications, AFailedStepIsToldWithTheSystemsWordsAndThisCopyKeepsRunning) {
    const struct {
        const char* failing; // the file operation that fails, or nothing
        std::optional<std::string> launchError;
        std::string error;
        std::size_t copies;
    } cases[] = {
        {"trash", std::nullopt, "trash failed", 0},
        {"copy", std::nullopt, "copy failed", 1},
        {"", "Could not start “/Applications/Purlo.app/purlo”.",
         "Could not start “/Applications/Purlo.app/purlo”.", 1},
    };
    for (const auto& row : cases) {
        Move move;
        move.probe.diskImages = {"/Volumes/Purlo"};
        move.files.items.insert("/Applications/Purlo.app");
        move.files.failing = {row.failing};
        move.workspace.launchError = row.launchError;
        move.window.answer = 0;
        move.prompt(onImage);
        const auto copies = std::ranges::count_if(
            move.files.calls, [](const std::string& call) { return call.starts_with("copy"); });
        EXPECT_EQ(static_cast<std::size_t>(copies), row.copies) << row.error;
        EXPECT_EQ(move.terminations, 0) << row.error;
        ASSERT_EQ(move.window.modals.size(), 2u) << row.error;
        EXPECT_EQ(move.window.modals[1],
                  (Alert{"Purlo could not move to Applications.",
                         row.error + "\nShe keeps running from here. You can drag her into "
                                     "Applications yourself anytime.",
                         {"OK"}}));
    }
}

TEST(MoveToApplications, EjectsOnlyADiskImageRootNamedAfterTheArgument) {
    using Arguments = std::vector<std::string>;
    const struct {
        Arguments arguments;
        std::optional<std::string> ejected;
    } cases[] = {
        {{"purlo", "--purlo-eject-volume", "/Volumes/Purlo"}, "/Volumes/Purlo"},
        {{"purlo", "--purlo-eject-volume", "/Volumes/Purlo", "--purlo-eject-volume", "/Volumes/B"},
         "/Volumes/Purlo"},
        {{"purlo", "--purlo-eject-volume", "/Volumes/Purlo/Purlo.app"}, std::nullopt},
        {{"purlo", "--purlo-eject-volume", "/Volumes/Purlo/"}, std::nullopt},
        {{"purlo", "--purlo-eject-volume", "/Volumes/USB"}, std::nullopt},
        {{"purlo", "--purlo-eject-volume"}, std::nullopt},
        {{"purlo", "/Volumes/Purlo"}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto& row : cases) {
        Move move;
        move.probe.diskImages = {"/Volumes/Purlo", "/Volumes/B"};
        move.files.items = {"/Volumes/Purlo", "/Volumes/USB", "/Volumes/B"};
        move.workspace.ejectSucceeds = true;
        Prompter::handleEjectVolumeArgument(row.arguments, move.ports);
        move.loop.advance(60);
        EXPECT_EQ(move.workspace.ejected,
                  row.ejected ? std::vector{*row.ejected} : std::vector<std::string>{})
            << ::testing::PrintToString(row.arguments);
    }
}

TEST(MoveToApplications, ABusyImageIsTriedSixTimesTwoSecondsApartUntilItGoes) {
    const struct {
        const char* scenario;
        int failuresBeforeSuccess; // -1: never succeeds
        int volumeGoneAfter;       // attempts after which the volume is gone; 0: never
        std::vector<double> attempts;
    } cases[] = {
        {"always busy", -1, 0, {2, 4, 6, 8, 10, 12}},
        {"ejected at the third attempt", 2, 0, {2, 4, 6}},
        {"gone after the second attempt", -1, 2, {2, 4}},
    };
    for (const auto& row : cases) {
        Move move;
        move.probe.diskImages = {"/Volumes/Purlo"};
        std::vector<double> attempts;
        move.workspace.onEject = [&] {
            attempts.push_back(move.clock.uptime());
            const int made = static_cast<int>(attempts.size());
            move.workspace.ejectSucceeds = made == row.failuresBeforeSuccess + 1;
            if (made == row.volumeGoneAfter) {
                move.files.items.erase("/Volumes/Purlo");
            }
        };
        const std::vector<std::string> arguments{"purlo", "--purlo-eject-volume", "/Volumes/Purlo"};
        Prompter::handleEjectVolumeArgument(arguments, move.ports);
        EXPECT_TRUE(attempts.empty()) << "the first attempt waits two seconds";
        move.loop.advance(60);
        EXPECT_EQ(attempts, row.attempts) << row.scenario;
        EXPECT_EQ(move.loop.activeTimerCount(), 0u) << row.scenario;
    }
}

} // namespace
} // namespace purlo
