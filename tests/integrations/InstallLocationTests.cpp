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

constexpr const char* home = "/Users/mia";
constexpr const char* onImage = "/Volumes/Purlo/Purlo.app";
constexpr const char* translocated = "/private/var/folders/x/AppTranslocation/AB12/d/Purlo.app";

TEST(InstallLocation, VolumeRootsTranslocationAndTheApplicationsFolders) {
    const std::pair<const char*, std::optional<std::string>> roots[] = {
        {"/Volumes/Purlo/Purlo.app", "/Volumes/Purlo"},    {"/Volumes/Purlo", "/Volumes/Purlo"},
        {"//Volumes//Purlo/Purlo.app/", "/Volumes/Purlo"}, {"/Volumes", std::nullopt},
        {"/volumes/Purlo/Purlo.app", std::nullopt},
    };
    for (const auto& [path, root] : roots) {
        EXPECT_EQ(volumeRoot(path), root) << path;
    }
    const std::pair<const char*, bool> translocations[] = {
        {translocated, true},
        {"/AppTranslocation/Purlo.app", true},
        {"/private/var/apptranslocation/d/Purlo.app", false},
    };
    for (const auto& [path, isTranslocated] : translocations) {
        EXPECT_EQ(isTranslocatedPath(path), isTranslocated) << path;
    }
    const std::pair<const char*, bool> folders[] = {
        {"/Applications/Purlo.app", true},
        {"/Users/mia/Applications/Purlo.app", true},
        {"~/Applications/Purlo.app", true},
        {"//Applications/./x/../Purlo.app", true},
        {"/Applications", false},
        {"/ApplicationsOld/Purlo.app", false},
        {"/Applications/../tmp/Purlo.app", false},
        {"Applications/Purlo.app", false},
    };
    for (const auto& [path, inside] : folders) {
        EXPECT_EQ(isInApplicationsFolder(path, home), inside) << path;
        EXPECT_EQ(isInApplicationsFolder(path, "/Users/mia/"), inside)
            << path << " with the home folder written with a slash at its end";
    }
}

// A program on fakes: the disk image's volume is there until the test removes it.
struct Move {
    Move() {
        probe.diskImages = {"/Volumes/Purlo"};
        files.items = {"/Volumes/Purlo"};
    }

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
        std::optional<std::string> reason; // the prompt's informative text, if it shows
    } cases[] = {
        {onImage, std::nullopt, fromImage},
        // Where the system cannot say where a copy was opened from, it is a temporary copy.
        {translocated, std::nullopt, fromCopy},
        {translocated, "/Volumes/USB/Purlo.app", fromCopy},
        {translocated, "/Users/mia/Downloads/Purlo.app", fromCopy},
        // A copy opened from the disk image is offered as the image itself, to eject it.
        {translocated, onImage, fromImage},
        {translocated, "/Applications/Purlo.app", std::nullopt},
        {translocated, "/Users/mia/Applications/Purlo.app", std::nullopt},
        {"/Applications/Purlo.app", std::nullopt, std::nullopt},
        {"/Users/mia/Applications/Purlo.app", std::nullopt, std::nullopt},
        {"/Volumes/Purlo/Purlo", std::nullopt, std::nullopt},
        // A mounted volume that is no disk image holds the bundle for good.
        {"/Volumes/USB/Purlo.app", std::nullopt, std::nullopt},
        {"/Volumes/USB/AppTranslocation/Purlo.app", std::nullopt, std::nullopt},
    };
    for (const auto& row : cases) {
        Move move;
        if (row.openedFrom) {
            move.probe.openedFrom[row.path] = *row.openedFrom;
        }
        move.prompt(row.path);
        const std::vector<Alert> expected{{"Purlo runs best from your Applications folder.",
                                           row.reason.value_or(""),
                                           {"Move to Applications", "Not now"}}};
        EXPECT_EQ(move.alerts(), row.reason ? expected : std::vector<Alert>{}) << row.path;
    }

    Move move;
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

TEST(MoveToApplications, EjectsOnlyADiskImageRootTryingSixTimesTwoSecondsApart) {
    using Arguments = std::vector<std::string>;
    const Arguments eject{"purlo", "--purlo-eject-volume", "/Volumes/Purlo"};
    const struct {
        Arguments arguments;
        int failures;  // before the image is ejected; -1: it never is
        int goneAfter; // attempts after which the volume is gone; 0: never
        std::vector<double> attempts;
    } cases[] = {
        {eject, -1, 0, {2, 4, 6, 8, 10, 12}},
        {eject, 2, 0, {2, 4, 6}},
        {eject, -1, 2, {2, 4}},
        {{"purlo", "--purlo-eject-volume", "/Volumes/Purlo", "--purlo-eject-volume", "/Volumes/B"},
         0,
         0,
         {2}},
        {{"purlo", "--purlo-eject-volume", "/Volumes/Purlo/Purlo.app"}, 0, 0, {}},
        {{"purlo", "--purlo-eject-volume", "/Volumes/Purlo/"}, 0, 0, {}},
        {{"purlo", "--purlo-eject-volume", "/Volumes/USB"}, 0, 0, {}},
        {{"purlo", "--purlo-eject-volume"}, 0, 0, {}},
        {{"purlo", "/Volumes/Purlo"}, 0, 0, {}},
    };
    for (const auto& row : cases) {
        Move move;
        move.probe.diskImages = {"/Volumes/Purlo", "/Volumes/B"};
        move.files.items = {"/Volumes/Purlo", "/Volumes/USB", "/Volumes/B"};
        std::vector<double> attempts;
        move.workspace.onEject = [&] {
            attempts.push_back(move.clock.uptime());
            const int made = static_cast<int>(attempts.size());
            move.workspace.ejectSucceeds = made == row.failures + 1;
            if (made == row.goneAfter) {
                move.files.items.erase("/Volumes/Purlo");
            }
        };
        Prompter::handleEjectVolumeArgument(row.arguments, move.ports);
        move.loop.advance(60);
        SCOPED_TRACE(::testing::PrintToString(row.arguments));
        EXPECT_EQ(attempts, row.attempts);
        EXPECT_EQ(move.workspace.ejected,
                  std::vector<std::string>(row.attempts.size(), "/Volumes/Purlo"));
        EXPECT_EQ(move.loop.activeTimerCount(), 0u);
    }
}

} // namespace
} // namespace purlo
