#include "platform/AutostartLoginItem.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(Environment, XdgFoldersFollowAbsoluteVariablesOnly) {
    const std::tuple<Environment, std::string, std::string> cases[] = {
        {{{"HOME", "/u"}}, "/u/.config", "/u/.local/share"},
        {{{"HOME", "/u"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}},
         "/cfg",
         "/data"},
        {{{"HOME", "/u"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", ""}},
         "/u/.config",
         "/u/.local/share"},
    };
    for (const auto& [environment, config, data] : cases) {
        EXPECT_EQ(configFolder(environment), config + "/Purlo");
        EXPECT_EQ(supportFolder(environment), data + "/Purlo");
        EXPECT_EQ(autostartFolder(environment), config + "/autostart");
    }
}

TEST(AutostartLoginItem, ExecLineQuotesThePathAsTheDesktopReadsIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/My Apps/purlo", R"(Exec="/opt/My Apps/purlo")"},
        {"/opt/100%/purlo", R"(Exec="/opt/100%%/purlo")"},
        {"/opt/$HOME/purlo", R"(Exec="/opt/\\$HOME/purlo")"},
        {"/opt/a\"b`c/purlo", R"(Exec="/opt/a\\"b\\`c/purlo")"},
        {"/opt/back\\slash/purlo", R"(Exec="/opt/back\\\\slash/purlo")"},
    };
    for (const auto& [executable, execLine] : cases) {
        const std::string entry = autostartEntry(executable).value_or("(none)");
        EXPECT_NE(entry.find("\n" + std::string(execLine) + "\n"), std::string::npos) << entry;
    }
    EXPECT_EQ(autostartEntry("/opt/line\nbreak/purlo"), std::nullopt);
}

TEST(AutostartLoginItem, StatusFollowsTheEntryAndTheDesktopsSwitches) {
    testing::TemporaryFolder folder;
    AutostartLoginItem item(folder / "autostart", "/usr/bin/purlo");
    EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
    ASSERT_EQ(item.registerItem(), std::nullopt);
    EXPECT_EQ(item.status(), LoginItemStatus::enabled);
    const std::string entry = testing::readFile(item.entryFile());

    const std::pair<std::string, LoginItemStatus> cases[] = {
        {entry + "Hidden=true\n", LoginItemStatus::disabled},
        {entry + "Hidden = true\n", LoginItemStatus::disabled},
        {entry + "Hidden=false\n", LoginItemStatus::enabled},
        {"[Desktop Entry]\nX-GNOME-Autostart-enabled = false\nExec=purlo\n",
         LoginItemStatus::disabled},
        // Keys of another group do not switch the entry off.
        {entry + "[Desktop Action Quit]\nHidden=true\n", LoginItemStatus::enabled},
    };
    for (const auto& [content, status] : cases) {
        testing::writeFile(item.entryFile(), content);
        EXPECT_EQ(item.status(), status) << content;
    }
    std::filesystem::remove(item.entryFile());
    std::filesystem::create_directory(item.entryFile());
    EXPECT_EQ(item.status(), LoginItemStatus::disabled);
}

} // namespace
} // namespace purlo
