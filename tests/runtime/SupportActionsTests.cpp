#include "tests/support/FakeUpdateServices.h"
#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::RuntimeHarness;

// 2026-01-13T09:00:00Z
constexpr Date tuesdayMorning = Date::fromUnixSeconds(1768294800);

TEST(SupportActions, TheSavedFileIsNamedForTheSecondWithoutColons) {
    const std::pair<double, const char*> cases[] = {
        {0, "Purlo Support Report 2026-01-13T09-00-00Z.txt"},
        {0.999, "Purlo Support Report 2026-01-13T09-00-00Z.txt"},
        {3600 * 14 + 61, "Purlo Support Report 2026-01-13T23-01-01Z.txt"},
    };
    for (const auto& [seconds, name] : cases) {
        EXPECT_EQ(PurloRuntime::supportReportFileName(tuesdayMorning.addingSeconds(seconds)), name);
    }

    RuntimeHarness harness(tuesdayMorning.addingSeconds(0.2));
    harness.runtime().saveSupportReport();
    harness.clock.advance(0.7);
    harness.runtime().saveSupportReport();
    EXPECT_EQ(harness.savePanel.suggestedNames,
              std::vector<std::string>(2, "Purlo Support Report 2026-01-13T09-00-00Z.txt"));
}

TEST(SupportActions, SavingWritesTheReportOfTheMomentAndCancellingClearsTheStatus) {
    RuntimeHarness harness(tuesdayMorning);
    PurloRuntime& runtime = harness.runtime();
    const std::filesystem::path location = harness.folder / "Reports" / "mine.txt";
    std::filesystem::create_directories(location.parent_path());
    harness.savePanel.answer = location;
    const std::string expected = runtime.makeSupportSnapshot().buildSupportReport();
    runtime.saveSupportReport();
    EXPECT_EQ(testing::readFile(location), expected);
    EXPECT_EQ(*runtime.supportSnapshotStatus(), "Support report saved.");

    harness.savePanel.answer.reset();
    testing::Deliveries status(runtime.supportSnapshotStatus());
    runtime.saveSupportReport();
    EXPECT_EQ(*runtime.supportSnapshotStatus(), std::nullopt);
    EXPECT_EQ(status.count(), 1);
    EXPECT_EQ(testing::readFile(location), expected);
}

TEST(SupportActions, AFailedWriteSaysSoAndLeavesTheFileThatWasThereWhole) {
    RuntimeHarness harness;
    PurloRuntime& runtime = harness.runtime();
    // A name so long that no temporary file can be made beside it.
    const std::filesystem::path location = harness.folder / (std::string(250, 'r') + ".txt");
    testing::writeFile(location, "an older report");
    harness.savePanel.answer = location;
    runtime.saveSupportReport();
    EXPECT_EQ(*runtime.supportSnapshotStatus(), "Could not save support report.");
    EXPECT_EQ(testing::readFile(location), "an older report");
    for (const auto& entry : std::filesystem::directory_iterator(harness.folder.path())) {
        EXPECT_NE(entry.path().filename().string().front(), '.') << "no temporary file is left";
    }

    harness.savePanel.answer = harness.folder / "missing" / "report.txt";
    runtime.saveSupportReport();
    EXPECT_EQ(*runtime.supportSnapshotStatus(), "Could not save support report.");
}

TEST(SupportActions, CopyingPutsExactlyTheReportOnTheClipboardOrSaysItCouldNot) {
    for (const bool accepts : {true, false}) {
        RuntimeHarness harness(tuesdayMorning);
        harness.pasteboard.contents = "something older";
        harness.pasteboard.accepts = accepts;
        PurloRuntime& runtime = harness.runtime();
        runtime.copySupportReport();
        if (accepts) {
            EXPECT_EQ(harness.pasteboard.contents,
                      runtime.makeSupportSnapshot().buildSupportReport());
            EXPECT_EQ(harness.pasteboard.contents->back(), 'a') << "no line feed at the end";
            EXPECT_EQ(*runtime.supportSnapshotStatus(), "Support report copied.");
        } else {
            EXPECT_EQ(harness.pasteboard.contents, std::nullopt);
            EXPECT_EQ(*runtime.supportSnapshotStatus(), "Could not copy support report.");
        }
    }
}

TEST(SupportActions, TheMailDraftOpensOrTheAddressGoesOnTheClipboardInstead) {
    for (const bool opens : {true, false}) {
        RuntimeHarness harness;
        harness.pasteboard.contents = "something older";
        harness.urlOpener.accepts = opens;
        PurloRuntime& runtime = harness.runtime();
        runtime.openSupportEmailDraft();
        ASSERT_EQ(harness.urlOpener.opened.size(), 1U);
        EXPECT_EQ(harness.urlOpener.opened[0].rfind("mailto:support@purlo.example?subject=", 0),
                  0U);
        EXPECT_EQ(*runtime.supportSnapshotStatus(),
                  opens ? "Support email draft opened."
                        : "Could not open support email draft. Copied support@purlo.example.");
        EXPECT_EQ(harness.pasteboard.contents, opens ? "something older" : "support@purlo.example");
    }
}

TEST(SupportActions, TheSnapshotSaysWhichUpdatesThisCopyHas) {
    RuntimeHarness website;
    EXPECT_EQ(website.runtime().makeSupportSnapshot().updateModeText, "Website download");
    RuntimeHarness inApp;
    inApp.automaticUpdater = std::make_unique<testing::FakeAutomaticUpdater>();
    const PurloSupportSnapshot snapshot = inApp.runtime().makeSupportSnapshot();
    EXPECT_EQ(snapshot.updateModeText, "In-app updates");
    EXPECT_EQ(snapshot.createdAt, inApp.clock.now());
    EXPECT_EQ(snapshot.appInfo, PurloAppInfo("Purlo", "Unavailable", "Unavailable"));
    EXPECT_EQ(snapshot.privacyStatus, inApp.runtime().privacyStatus());
}

} // namespace
} // namespace purlo
