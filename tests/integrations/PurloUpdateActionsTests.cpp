#include "integrations/PurloUpdateActions.h"
#include "tests/integrations/FakeUpdateTransport.h"
#include "tests/integrations/FakeUpdaterController.h"
#include "tests/integrations/UpdateManifestSamples.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/TemporaryFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::FakeUpdaterController;
using testing::FakeUpdateTransport;
using testing::ManualEventLoop;
using testing::usableFeedAndKey;
using testing::validManifest;
using testing::validManifestJson;

TEST(PurloUpdateCheckState, StatusTexts) {
    const std::pair<PurloUpdateCheckState, const char*> cases[] = {
        {PurloUpdateCheckState::upToDate("1.3", "40"), "Purlo 1.3 (40) is up to date."},
        {PurloUpdateCheckState::updateAvailable(validManifest("1.4", "50")),
         "Purlo 1.4 (50) is ready to download."},
        {PurloUpdateCheckState::unavailable("Any message."), "Any message."},
        {PurloUpdateCheckState::idle(), "Check for updates whenever you like."},
        {PurloUpdateCheckState::checking(), "Checking for updates."},
        {PurloUpdateCheckState(), "Check for updates whenever you like."},
    };
    for (const auto& [state, text] : cases) {
        EXPECT_EQ(state.statusText(), text);
    }
}

TEST(PurloUpdateCheckState, OnlyAnAvailableUpdateWithAnAllowedLinkHasADownload) {
    EXPECT_EQ(PurloUpdateCheckState::updateAvailable(validManifest()).downloadURL(),
              validManifest().downloadURL);
    PurloUpdateManifest elsewhere = validManifest();
    elsewhere.downloadURL = Url::parse("https://evil.test/Purlo-2.0.dmg");
    EXPECT_EQ(PurloUpdateCheckState::updateAvailable(elsewhere).downloadURL(), std::nullopt);
    for (const auto& state :
         {PurloUpdateCheckState::upToDate("2.0", "200"), PurloUpdateCheckState::unavailable("x"),
          PurloUpdateCheckState::idle(), PurloUpdateCheckState::checking()}) {
        EXPECT_EQ(state.downloadURL(), std::nullopt) << state.statusText();
    }
}

TEST(PurloUpdateActions, FailureMessagesHideCodesAndDescriptions) {
    const std::pair<PurloUpdateCheckFailure, const char*> cases[] = {
        {PurloUpdateCheckError::manifestNotConfigured(),
         "Update checking is not available in this copy of Purlo."},
        {PurloUpdateCheckError::insecureEndpoint(), "Purlo blocked an unsafe update connection."},
        {PurloUpdateCheckError::invalidResponse(),
         "Purlo could not read the update information. Try again later."},
        {PurloUpdateCheckError::rejected(404),
         "The update service is unavailable. Try again later."},
        {PurloUpdateCheckError::rejected(503),
         "The update service is unavailable. Try again later."},
        {PurloUpdateTransportError{"The request timed out."},
         "Purlo could not check for updates. Try again later."},
    };
    for (const auto& [failure, message] : cases) {
        EXPECT_EQ(updateCheckMessage(failure), message);
    }
}

class UpdateActionsTest : public ::testing::Test {
protected:
    void check() {
        checkForUpdates(updater, checker, state, [this] {
            ++releaseReads;
            return PurloAppInfo{"Purlo", "1.4", "49"};
        });
    }

    ManualEventLoop loop;
    FakeUpdateTransport transport;
    PurloUpdateChecker checker{
        PurloUpdateManifestConfiguration::fromBundle(
            {{"PurloUpdateManifestURL", "https://purlo.example/update.json"}}),
        transport.transport(), loop};
    // What ships on Linux: no update framework, so no controller.
    PurloSparkleUpdater updater{usableFeedAndKey()};
    Published<PurloUpdateCheckState> state;
    int releaseReads = 0;
};

TEST_F(UpdateActionsTest, TwoQuickChecksSendOneRequest) {
    std::vector<std::string> seen;
    const auto subscription =
        state.subscribe([&](const PurloUpdateCheckState& s) { seen.push_back(s.statusText()); });
    check();
    check();
    EXPECT_EQ(transport.requests().size(), 1u);
    EXPECT_FALSE(canCheckForUpdates(updater, *state));

    transport.answer(200, validManifestJson("1.4", "50").dump());
    loop.runPending();
    EXPECT_EQ(*state, PurloUpdateCheckState::updateAvailable(validManifest("1.4", "50")));
    EXPECT_TRUE(canCheckForUpdates(updater, *state));
    EXPECT_EQ(seen, (std::vector<std::string>{"Check for updates whenever you like.",
                                              "Checking for updates.",
                                              "Purlo 1.4 (50) is ready to download."}));

    check();
    EXPECT_EQ(transport.requests().size(), 2u);
    EXPECT_EQ(releaseReads, 2) << "the running release is read afresh for every check";
}

TEST_F(UpdateActionsTest, ARejectedCheckSaysTheServiceIsUnavailable) {
    check();
    transport.answer(503, "Service Unavailable");
    loop.runPending();
    EXPECT_EQ(state->statusText(), "The update service is unavailable. Try again later.");
    EXPECT_TRUE(canCheckForUpdates(updater, *state));
}

TEST_F(UpdateActionsTest, AnOlderManifestShowsItsOwnVersion) {
    check();
    transport.answer(200, validManifestJson("1.2", "30").dump());
    loop.runPending();
    EXPECT_EQ(*state, PurloUpdateCheckState::upToDate("1.2", "30"));
    EXPECT_EQ(state->statusText(), "Purlo 1.2 (30) is up to date.");
    EXPECT_EQ(state->downloadURL(), std::nullopt);
}

TEST_F(UpdateActionsTest, WithoutAFrameworkTheSwitchesReadOffAndTheWebsiteIsShown) {
    setAutomaticallyDownloadsUpdates(updater, true);
    updater.setAutomaticallyChecksForUpdates(true);
    EXPECT_FALSE(updater.automaticallyChecksForUpdates());
    EXPECT_FALSE(updater.automaticallyDownloadsUpdates());
    EXPECT_EQ(updatePresentation(updater, *state),
              PurloUpdatePresentation::manual(PurloUpdateCheckState::idle()));
    check();
    EXPECT_EQ(updatePresentation(updater, *state),
              PurloUpdatePresentation::manual(PurloUpdateCheckState::checking()));
}

TEST(PurloUpdateActions, AFrameworkTakesOverAndTheWebsiteStaysIdle) {
    ManualEventLoop loop;
    FakeUpdateTransport transport;
    PurloUpdateChecker checker{PurloUpdateManifestConfiguration::fromBundle(
                                   {{"PurloUpdateManifestURL", "https://purlo.example/u.json"}}),
                               transport.transport(), loop};
    FakeUpdaterController::Flags flags{false, true, false, false, 0};
    PurloSparkleUpdater updater(usableFeedAndKey(),
                                [&] { return std::make_unique<FakeUpdaterController>(flags); });
    Published<PurloUpdateCheckState> state;

    checkForUpdates(updater, checker, state, [] { return PurloAppInfo{"Purlo", "1.4", "49"}; });
    loop.runPending();
    EXPECT_EQ(flags.checks, 1);
    EXPECT_TRUE(transport.requests().empty());
    EXPECT_EQ(*state, PurloUpdateCheckState::idle());
    EXPECT_EQ(updatePresentation(updater, *state),
              PurloUpdatePresentation::inApp(true, false, false));

    // The download switch moves only where the framework allows automatic updates.
    setAutomaticallyDownloadsUpdates(updater, true);
    EXPECT_FALSE(updater.automaticallyDownloadsUpdates());
    flags.allowsAutomaticUpdates = true;
    setAutomaticallyDownloadsUpdates(updater, true);
    EXPECT_TRUE(updater.automaticallyDownloadsUpdates());
    flags.canCheck = true;
    EXPECT_EQ(updatePresentation(updater, PurloUpdateCheckState::checking()),
              PurloUpdatePresentation::inApp(true, true, true));
}

// The information keys as the build installs them beside the program; ctest runs
// the tests in the build folder.
Bundle::Information shippedInformation() {
    const char* buildFolder = std::getenv("PURLO_BUILD_DIR");
    const std::filesystem::path path =
        std::filesystem::path(buildFolder ? buildFolder : ".") / "bin" / "Info.json";
    if (!std::filesystem::exists(path)) {
        return {};
    }
    const Json keys = Json::parse(testing::readFile(path));
    Bundle::Information information;
    for (const auto& [key, value] : keys.items()) {
        if (value.is_string()) {
            information[key] = value.get<std::string>();
        }
    }
    return information;
}

TEST_F(UpdateActionsTest, TheShippedProgramSaysUpdateCheckingIsNotAvailable) {
    const Bundle::Information information = shippedInformation();
    if (information.empty()) {
        GTEST_SKIP() << "bin/Info.json is not here; run the tests through ctest";
    }
    PurloUpdateChecker shipped{PurloUpdateManifestConfiguration::fromBundle(information),
                               transport.transport(), loop};
    PurloSparkleUpdater shippedUpdater(information);
    checkForUpdates(shippedUpdater, shipped, state, [] {
        return PurloAppInfo{"Purlo", "0.1.0", "1"};
    });
    loop.runPending();
    EXPECT_TRUE(transport.requests().empty());
    EXPECT_EQ(state->statusText(), "Update checking is not available in this copy of Purlo.");
}

} // namespace
} // namespace purlo
