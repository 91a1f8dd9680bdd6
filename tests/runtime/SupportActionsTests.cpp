#include "tests/support/FakeUpdateServices.h"
#include "tests/support/RuntimeHarness.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::RuntimeHarness;

// 2026-01-13T09:00:00Z
constexpr Date tuesdayMorning = Date::fromUnixSeconds(1768294800);

TEST(SupportActions, SavingWritesTheReportOfTheMomentUnderItsSecondAndCancellingClearsTheStatus) {
    EXPECT_EQ(PurloRuntime::supportReportFileName(tuesdayMorning.addingSeconds(14 * 3600 + 61)),
              "Purlo Support Report 2026-01-13T23-01-01Z.txt");

    RuntimeHarness harness(tuesdayMorning.addingSeconds(0.2));
    PurloRuntime& runtime = harness.runtime();
    const std::filesystem::path location = harness.folder / "mine.txt";
    harness.savePanel.answer = location;
    const std::string expected = runtime.makeSupportSnapshot().buildSupportReport();
    runtime.saveSupportReport();
    EXPECT_EQ(testing::readFile(location), expected);
    EXPECT_EQ(*runtime.supportSnapshotStatus(), "Support report saved.");

    harness.clock.advance(0.7);
    harness.savePanel.answer.reset();
    testing::Deliveries status(runtime.supportSnapshotStatus());
    runtime.saveSupportReport();
    EXPECT_EQ(*runtime.supportSnapshotStatus(), std::nullopt);
    EXPECT_EQ(status.count(), 1);
    EXPECT_EQ(harness.savePanel.suggestedNames,
              std::vector<std::string>(2, "Purlo Support Report 2026-01-13T09-00-00Z.txt"))
        << "two saves within one second propose the same name";
}

TEST(SupportActions, AFailedWriteSaysSoAndLeavesTheFileThatWasThereWhole) {
    RuntimeHarness harness;
    // A name so long that no temporary file can be made beside it.
    const std::filesystem::path location = harness.folder / (std::string(250, 'r') + ".txt");
    testing::writeFile(location, "an older report");
    harness.savePanel.answer = location;
    harness.runtime().saveSupportReport();
    EXPECT_EQ(*harness.runtime().supportSnapshotStatus(), "Could not save support report.");
    EXPECT_EQ(testing::readFile(location), "an older report");
    for (const auto& entry : std::filesystem::directory_iterator(harness.folder.path())) {
        EXPECT_NE(entry.path().filename().string().front(), '.') << "no temporary file is left";
    }
}

TEST(SupportActions, CopyingPutsExactlyTheReportOnTheClipboardOrSaysItCouldNot) {
    for (const bool accepts : {true, false}) {
        RuntimeHarness harness(tuesdayMorning);
        harness.pasteboard.accepts = accepts;
        harness.runtime().copySupportReport();
        EXPECT_EQ(harness.pasteboard.contents,
                  accepts
                      ? std::optional(harness.runtime().makeSupportSnapshot().buildSupportReport())
                      : std::nullopt);
        EXPECT_EQ(*harness.runtime().supportSnapshotStatus(),
                  accepts ? "Support report copied." : "Could not copy support report.");
    }
}

// The address is said to be copied only when the clipboard took it.
TEST(SupportActions, AMailDraftThatDoesNotOpenLeavesTheAddressWithTheUser) {
    const struct {
        bool clipboardTakes;
        const char* status;
    } cases[] = {
        {true, "Could not open support email draft. Copied support@purlo.example."},
        {false, "Could not open support email draft. Its address: support@purlo.example"},
    };
    for (const auto& [clipboardTakes, status] : cases) {
        RuntimeHarness harness(tuesdayMorning);
        harness.urlOpener.accepts = false;
        harness.pasteboard.accepts = clipboardTakes;
        harness.runtime().openSupportEmailDraft();
        EXPECT_EQ(*harness.runtime().supportSnapshotStatus(), status);
    }
}

TEST(SupportActions, TheReportSaysWhichUpdatesThisCopyHas) {
    RuntimeHarness website;
    EXPECT_EQ(website.runtime().makeSupportSnapshot().updateModeText, "Website download");
    RuntimeHarness inApp;
    inApp.automaticUpdater = std::make_unique<testing::FakeAutomaticUpdater>();
    EXPECT_EQ(inApp.runtime().makeSupportSnapshot().updateModeText, "In-app updates");
}

} // namespace
} // namespace purlo
