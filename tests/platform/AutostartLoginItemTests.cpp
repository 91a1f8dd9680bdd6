#include "platform/AutostartLoginItem.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::TemporaryFolder;

TEST(AutostartLoginItem, FolderFollowsTheUsersConfigRoot) {
    EXPECT_EQ(autostartFolder({{"HOME", "/home/ada"}}), "/home/ada/.config/autostart");
    EXPECT_EQ(autostartFolder({{"HOME", "/home/ada"}, {"XDG_CONFIG_HOME", "/cfg"}}),
              "/cfg/autostart");
}

TEST(AutostartLoginItem, ExecLineQuotesThePathAsTheDesktopReadsIt) {
    const auto execLine = [](const std::string& executable) -> std::string {
        const auto entry = autostartEntry(executable);
        if (!entry) {
            return "(none)";
        }
        const auto start = entry->find("Exec=");
        return entry->substr(start, entry->find('\n', start) - start);
    };
    EXPECT_EQ(execLine("/usr/bin/purlo"), R"(Exec="/usr/bin/purlo")");
    EXPECT_EQ(execLine("/opt/My Apps/purlo"), R"(Exec="/opt/My Apps/purlo")");
    EXPECT_EQ(execLine("/opt/100%/purlo"), R"(Exec="/opt/100%%/purlo")");
    EXPECT_EQ(execLine("/opt/$HOME/purlo"), R"(Exec="/opt/\\$HOME/purlo")");
    EXPECT_EQ(execLine("/opt/a\"b`c/purlo"), R"(Exec="/opt/a\\"b\\`c/purlo")");
    EXPECT_EQ(execLine("/opt/back\\slash/purlo"), R"(Exec="/opt/back\\\\slash/purlo")");
    EXPECT_EQ(execLine("/opt/line\nbreak/purlo"), "(none)");
}

TEST(AutostartLoginItem, StatusFollowsTheEntryAndTheDesktopsSwitches) {
    TemporaryFolder folder;
    AutostartLoginItem item(folder / "autostart", "/usr/bin/purlo");
    EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);

    ASSERT_EQ(item.registerItem(), std::nullopt);
    EXPECT_EQ(item.status(), LoginItemStatus::enabled);
    EXPECT_EQ(testing::readFile(item.entryFile()), autostartEntry("/usr/bin/purlo"));

    const std::string entry = *autostartEntry("/usr/bin/purlo");
    const struct {
        std::string content;
        LoginItemStatus status;
    } cases[] = {
        {entry + "Hidden=true\n", LoginItemStatus::disabled},
        {entry + "Hidden = true\n", LoginItemStatus::disabled},
        {entry + "Hidden=false\n", LoginItemStatus::enabled},
        {"[Desktop Entry]\nX-GNOME-Autostart-enabled = false\nExec=purlo\n",
         LoginItemStatus::disabled},
        // Keys of another group do not switch the entry off.
        {entry + "[Desktop Action Quit]\nHidden=true\n", LoginItemStatus::enabled},
    };
    for (const auto& [content, status] : cases) {
        SCOPED_TRACE(content);
        testing::writeFile(item.entryFile(), content);
        EXPECT_EQ(item.status(), status);
    }

    std::filesystem::remove(item.entryFile());
    std::filesystem::create_directory(item.entryFile());
    EXPECT_EQ(item.status(), LoginItemStatus::disabled);
}

} // namespace
} // namespace purlo
