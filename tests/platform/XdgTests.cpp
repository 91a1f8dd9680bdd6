#include "platform/AutostartLoginItem.h"
#include "platform/UserLocale.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

TEST(Environment, XdgFoldersFollowAbsoluteVariablesOnly) {
    const std::tuple<Environment, std::string, std::string, std::string> cases[] = {
        {{{"HOME", "/u"}}, "/u/.config", "/u/.local/share", "/u/.local/state"},
        {{{"HOME", "/u"},
          {"XDG_CONFIG_HOME", "/cfg"},
          {"XDG_DATA_HOME", "/data"},
          {"XDG_STATE_HOME", "/state"}},
         "/cfg",
         "/data",
         "/state"},
        {{{"HOME", "/u"},
          {"XDG_CONFIG_HOME", "cfg"},
          {"XDG_DATA_HOME", ""},
          {"XDG_STATE_HOME", "s"}},
         "/u/.config",
         "/u/.local/share",
         "/u/.local/state"},
    };
    for (const auto& [environment, config, data, state] : cases) {
        EXPECT_EQ(configFolder(environment), config + "/Purlo");
        EXPECT_EQ(supportFolder(environment), data + "/Purlo");
        EXPECT_EQ(stateFolder(environment), state + "/Purlo");
        EXPECT_EQ(autostartFolder(environment), config + "/autostart");
    }
}

TEST(UserLocale, EachCategoryReadsLcAllThenItsOwnVariableThenLang) {
    const std::tuple<Environment, std::string, std::string> cases[] = {
        {{{"LANG", "sv_SE.UTF-8"}}, "sv_SE", "sv_SE"},
        {{{"LANG", "en_US.UTF-8"}, {"LC_COLLATE", "sv_SE.UTF-8"}}, "sv_SE", "en_US"},
        {{{"LANG", "en_US.UTF-8"}, {"LC_TIME", "he_IL.UTF-8"}}, "en_US", "he_IL"},
        {{{"LC_ALL", "he_IL"}, {"LC_COLLATE", "sv_SE"}, {"LC_TIME", "de_DE"}}, "he_IL", "he_IL"},
        {{{"LC_ALL", ""}, {"LC_COLLATE", ""}, {"LANG", "de_DE@euro"}}, "de_DE", "de_DE"},
        {{{"LANG", "C.UTF-8"}, {"LC_MESSAGES", "sv_SE.UTF-8"}}, "", ""},
        {{{"LC_ALL", "POSIX"}, {"LANG", "sv_SE.UTF-8"}}, "", ""},
        {{}, "", ""},
    };
    for (const auto& [environment, collation, time] : cases) {
        const UserLocale locale = UserLocale::fromEnvironment(environment);
        EXPECT_EQ(locale.collation, collation) << collation << "/" << time;
        EXPECT_EQ(locale.time, time) << collation << "/" << time;
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
        {entry + "\nHidden=true", LoginItemStatus::disabled},
        {"[Desktop Entry]\r\nExec=purlo\r\nHidden=true\r\n", LoginItemStatus::disabled},
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
