#include "platform/AutostartLoginItem.h"
#include "runtime/LaunchAtLogin.h"
#include "tests/support/FakeDesktopPorts.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::FakeLoginItem;
using testing::TemporaryFolder;

TEST(LaunchAtLogin, ChangesTheItemOnlyWhenItsStatusDiffers) {
    using enum LoginItemStatus;
    const struct {
        LoginItemStatus status;
        bool wanted;
        std::string calls;
    } cases[] = {
        {notRegistered, true, "register "}, {enabled, true, ""},
        {disabled, true, "register "},      {notRegistered, false, ""},
        {enabled, false, "unregister "},    {disabled, false, ""},
    };
    for (const auto& [status, wanted, calls] : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(status) << " wanted " << wanted);
        FakeLoginItem item(status);
        EXPECT_EQ(setLaunchAtLogin(item, wanted), std::nullopt);
        EXPECT_EQ(item.calls, calls);
    }
}

TEST(LaunchAtLogin, RefusalShowsTheRealStatusAndTheReason) {
    FakeLoginItem item(LoginItemStatus::enabled);
    item.refusal = FileError{"Could not remove “purlo.desktop”: Permission denied."};
    EXPECT_EQ(changeLaunchAtLogin(item, false),
              (LaunchAtLoginOutcome{true, "Could not remove “purlo.desktop”: Permission denied."}));
    item.refusal.reset();
    EXPECT_EQ(changeLaunchAtLogin(item, false), (LaunchAtLoginOutcome{false, std::nullopt}));
}

TEST(LaunchAtLogin, AutostartEntryIsAddedAndRemovedOnce) {
    TemporaryFolder folder;
    AutostartLoginItem item(folder / "autostart", "/usr/bin/purlo");

    EXPECT_EQ(changeLaunchAtLogin(item, true), (LaunchAtLoginOutcome{true, std::nullopt}));
    // A second request leaves the entry as it is.
    testing::writeFile(item.entryFile(), testing::readFile(item.entryFile()) + "# kept\n");
    EXPECT_EQ(changeLaunchAtLogin(item, true), (LaunchAtLoginOutcome{true, std::nullopt}));
    EXPECT_NE(testing::readFile(item.entryFile()).find("# kept"), std::string::npos);

    EXPECT_EQ(changeLaunchAtLogin(item, false), (LaunchAtLoginOutcome{false, std::nullopt}));
    EXPECT_FALSE(std::filesystem::exists(item.entryFile()));
    EXPECT_EQ(changeLaunchAtLogin(item, false), (LaunchAtLoginOutcome{false, std::nullopt}));
}

TEST(LaunchAtLogin, FailureIsShownUntilALaterChangeSucceeds) {
    TemporaryFolder folder;
    testing::writeFile(folder / "autostart", "a file where the folder should be");
    AutostartLoginItem item(folder / "autostart", "/usr/bin/purlo");

    EXPECT_EQ(
        changeLaunchAtLogin(item, true),
        (LaunchAtLoginOutcome{false, "Could not create the folder “autostart”: Not a directory."}));

    std::filesystem::remove(folder / "autostart");
    EXPECT_EQ(changeLaunchAtLogin(item, true), (LaunchAtLoginOutcome{true, std::nullopt}));
}

} // namespace
} // namespace purlo
