#include "integrations/AgentHookScript.h"
#include "integrations/AgentIntegrationManager.h"
#include "tests/support/TemporaryFolder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <regex>
#include <unistd.h>

namespace purlo {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using testing::readFile;
using testing::TemporaryFolder;
using testing::writeFile;

constexpr fs::perms ownerOnlyFile = fs::perms::owner_read | fs::perms::owner_write;

fs::perms permissionsOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

std::vector<std::string> titles(const std::vector<AgentConnectionStatus>& statuses) {
    std::vector<std::string> result;
    for (const auto& status : statuses) {
        result.push_back(status.title);
    }
    return result;
}

class AgentIntegrationManagerTest : public ::testing::Test {
protected:
    void makeToolFolders() {
        for (const char* name : {".claude", ".codex", ".cursor"}) {
            fs::create_directories(home / name);
        }
    }

    // The backups of one tool, by the prefix that names it (all when empty).
    std::vector<fs::path> backups(const std::string& prefix = "") const {
        std::vector<fs::path> files;
        if (fs::exists(support / "Integrations/Backups")) {
            for (const auto& entry : fs::directory_iterator(support / "Integrations/Backups")) {
                if (entry.path().filename().string().starts_with(prefix)) {
                    files.push_back(entry.path());
                }
            }
        }
        return files;
    }

    std::string gate() const { return readFile(support / "Integrations/enabled"); }

    const std::string pid = std::to_string(getpid());
    TemporaryFolder folder;
    const fs::path home = folder / "home";
    const fs::path support = home / ".local/share/Purlo";
    const fs::path claudeFile = home / ".claude/settings.json";
    const AgentIntegrationManager manager{home, support, {{"HOME", home}}};
};

TEST_F(AgentIntegrationManagerTest, StatusesSayWhatEachToolNeeds) {
    fs::create_directories(home);
    EXPECT_EQ(manager.apply(true),
              (std::vector<AgentConnectionStatus>{
                  {AgentTool::claudeCode, "Not found", "Open Claude Code once, then check again."},
                  {AgentTool::codex, "Not found", "Open Codex once, then check again."},
                  {AgentTool::cursor, "Not found", "Open Cursor once, then check again."}}));
    EXPECT_FALSE(fs::exists(home / ".cursor"));

    makeToolFolders();
    EXPECT_EQ(manager.apply(true),
              (std::vector<AgentConnectionStatus>{
                  {AgentTool::claudeCode, "Ready", "Start a new session to use Purlo’s reactions."},
                  {AgentTool::codex, "Ready",
                   "Start a new local session. If asked, review Purlo’s connections in Codex’s "
                   "/hooks menu."},
                  {AgentTool::cursor, "Ready", "Ready for your next local Agent task."}}));

    fs::remove(home / ".codex/hooks.json");
    const auto off = manager.apply(false);
    EXPECT_EQ(off[1],
              (AgentConnectionStatus{AgentTool::codex, "Off", "Agent reactions are turned off."}));
    EXPECT_EQ(titles(off), (std::vector<std::string>{"Off", "Off", "Off"}));
    EXPECT_FALSE(fs::exists(home / ".codex/hooks.json"));
    EXPECT_FALSE(fs::exists(support / "Integrations/enabled"));
}

TEST_F(AgentIntegrationManagerTest, ToolFoldersFollowAbsoluteVariablesOnly) {
    struct Case {
        Environment environment;
        std::string claude;
        std::string codex;
    };
    const Case cases[] = {
        {{{"HOME", "/h"}}, "/h/.claude/settings.json", "/h/.codex/hooks.json"},
        {{{"HOME", "/h"}, {"CLAUDE_CONFIG_DIR", "/cfg/claude"}, {"CODEX_HOME", "/cfg/codex"}},
         "/cfg/claude/settings.json",
         "/cfg/codex/hooks.json"},
        {{{"HOME", "/h"}, {"CLAUDE_CONFIG_DIR", "cfg"}, {"CODEX_HOME", "~/codex"}},
         "/h/.claude/settings.json",
         "/h/.codex/hooks.json"},
    };
    for (const Case& c : cases) {
        const AgentIntegrationManager configured("/h", "/s", c.environment);
        EXPECT_EQ(configured.configurationFileURL(AgentTool::claudeCode), c.claude);
        EXPECT_EQ(configured.configurationFileURL(AgentTool::codex), c.codex);
        EXPECT_EQ(configured.configurationFileURL(AgentTool::cursor), "/h/.cursor/hooks.json");
    }
}

TEST_F(AgentIntegrationManagerTest, EachChangeKeepsOneBackupOfTheOldBytes) {
    makeToolFolders();
    const std::string original = "{\"model\": \"opus\"}\n";
    writeFile(claudeFile, original);
    fs::permissions(claudeFile, fs::perms(0644));

    manager.apply(true);
    ASSERT_EQ(backups().size(), 1u);
    const fs::path first = backups()[0];
    EXPECT_TRUE(std::regex_match(first.filename().string(),
                                 std::regex(R"(\.claude-[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-)"
                                            R"([89AB][0-9A-F]{3}-[0-9A-F]{12}\.json)")));
    EXPECT_EQ(readFile(first), original);
    EXPECT_EQ(permissionsOf(first), ownerOnlyFile);
    EXPECT_EQ(permissionsOf(support / "Integrations/Backups"), fs::perms::owner_all);
    EXPECT_EQ(permissionsOf(claudeFile), ownerOnlyFile);
    EXPECT_EQ(Json::parse(readFile(claudeFile))["model"], "opus");

    const std::string installed = readFile(claudeFile);
    manager.apply(false);
    const auto claudeBackups = backups(".claude-");
    ASSERT_EQ(claudeBackups.size(), 2u);
    const fs::path second = claudeBackups[0] == first ? claudeBackups[1] : claudeBackups[0];
    EXPECT_EQ(readFile(second), installed);
    EXPECT_EQ(Json::parse(readFile(claudeFile)), Json::parse(R"({"model": "opus", "hooks": {}})"));
}

TEST_F(AgentIntegrationManagerTest, NothingIsRewrittenWhenTheContentWouldNotChange) {
    makeToolFolders();
    manager.apply(true);
    ASSERT_TRUE(backups().empty()) << "new files need no backup";
    // The same content in another layout is still the same content.
    for (const AgentTool tool : allCases<AgentTool>()) {
        const fs::path file = manager.configurationFileURL(tool);
        writeFile(file, Json::parse(readFile(file)).dump());
    }
    const std::string compact = readFile(claudeFile);

    EXPECT_EQ(titles(manager.apply(true)), (std::vector<std::string>{"Ready", "Ready", "Ready"}));
    EXPECT_EQ(readFile(claudeFile), compact);
    EXPECT_TRUE(backups().empty());
}

TEST_F(AgentIntegrationManagerTest, InvalidFilesAreLeftAsTheyAre) {
    for (const std::string bytes : {"{ \"hooks\": ", "", "[]", "{\"hooks\": {\"stop\": [3]}}"}) {
        makeToolFolders();
        const fs::path cursorFile = home / ".cursor/hooks.json";
        writeFile(cursorFile, bytes);
        const auto statuses = manager.apply(true);
        EXPECT_EQ(statuses[2], (AgentConnectionStatus{AgentTool::cursor, "Needs attention",
                                                      "Couldn’t update Cursor’s settings. Your "
                                                      "existing configuration is preserved."}))
            << bytes;
        EXPECT_EQ(statuses[0].title, "Ready");
        EXPECT_EQ(readFile(cursorFile), bytes);
        EXPECT_EQ(manager.apply(false)[2].title, "Needs attention");
        EXPECT_EQ(readFile(cursorFile), bytes);
        EXPECT_TRUE(backups(".cursor-").empty());
        fs::remove_all(home);
    }
}

TEST_F(AgentIntegrationManagerTest, LinkedFilesAreEditedAtTheirTargets) {
    makeToolFolders();
    const fs::path dotfiles = folder / "dotfiles";
    writeFile(dotfiles / "claude.json", R"({"model": "opus"})");
    fs::create_symlink("../../dotfiles/claude.json", claudeFile);
    // A link whose target does not exist yet gets its target written.
    const fs::path cursorFile = home / ".cursor/hooks.json";
    fs::create_symlink(dotfiles / "cursor.json", cursorFile);

    EXPECT_EQ(titles(manager.apply(true)), (std::vector<std::string>{"Ready", "Ready", "Ready"}));
    EXPECT_TRUE(fs::is_symlink(claudeFile));
    EXPECT_TRUE(fs::is_symlink(cursorFile));
    const Json claude = Json::parse(readFile(dotfiles / "claude.json"));
    EXPECT_EQ(claude["model"], "opus");
    EXPECT_TRUE(claude["hooks"].contains("Stop"));
    EXPECT_EQ(Json::parse(readFile(dotfiles / "cursor.json"))["version"], 1);
}

TEST_F(AgentIntegrationManagerTest, InstallWritesAnOwnerOnlyScriptAndGate) {
    fs::create_directories(home);
    ASSERT_FALSE(manager.installHelperAndGate());
    const fs::path script = support / "Integrations/purlo-agent-hook";
    EXPECT_EQ(readFile(script), agentHookScript(support));
    EXPECT_EQ(permissionsOf(support / "Integrations"), fs::perms::owner_all);
    EXPECT_EQ(permissionsOf(script), fs::perms::owner_all);
    EXPECT_EQ(permissionsOf(support / "Integrations/enabled"), ownerOnlyFile);
    const std::string session = gate();
    EXPECT_TRUE(std::regex_match(session, std::regex(pid + " [0-9A-F-]{36}"))) << session;

    // Within one run the session stays; a changed script is put back, owner-only.
    writeFile(script, "#!/bin/sh\nexit 0");
    fs::permissions(script, fs::perms(0755));
    ASSERT_FALSE(manager.installHelperAndGate());
    EXPECT_EQ(gate(), session);
    EXPECT_EQ(readFile(script), agentHookScript(support));
    EXPECT_EQ(permissionsOf(script), fs::perms::owner_all);

    // A gate of another process, even one whose id begins like ours, is replaced.
    for (const std::string& foreign :
         std::vector<std::string>{"1 OLD", pid + "1 OLD", pid + "OLD"}) {
        writeFile(support / "Integrations/enabled", foreign);
        ASSERT_FALSE(manager.installHelperAndGate());
        EXPECT_TRUE(gate().starts_with(pid + " ")) << foreign;
        EXPECT_NE(gate(), session);
    }
}

TEST_F(AgentIntegrationManagerTest, OnlyItsOwnGateIsRemoved) {
    fs::create_directories(support / "Integrations");
    const fs::path gatePath = support / "Integrations/enabled";
    EXPECT_FALSE(manager.removeGate()) << "a missing gate is no error";

    for (const std::string& foreign : std::vector<std::string>{"1 OTHER", pid + "0 OTHER", pid}) {
        writeFile(gatePath, foreign);
        EXPECT_FALSE(manager.removeGate());
        EXPECT_EQ(gate(), foreign);
    }
    // Turning off while another copy of the program owns the gate keeps its hooks alive.
    EXPECT_EQ(titles(manager.apply(false)),
              (std::vector<std::string>{"Not found", "Not found", "Not found"}));
    EXPECT_TRUE(fs::exists(gatePath));

    writeFile(gatePath, pid + " MINE");
    EXPECT_FALSE(manager.removeGate());
    EXPECT_FALSE(fs::exists(gatePath));
}

TEST_F(AgentIntegrationManagerTest, AFailedInstallTouchesNoToolFile) {
    makeToolFolders();
    const std::string original = R"({"model": "opus"})";
    writeFile(claudeFile, original);
    // A folder where the gate belongs cannot be replaced by a file.
    writeFile(support / "Integrations/enabled/keep", "");

    const auto statuses = manager.apply(true);
    for (const auto& status : statuses) {
        EXPECT_EQ(status.title, "Needs attention");
        EXPECT_EQ(status.detail, "Purlo couldn’t update its connections. Try again.");
    }
    EXPECT_EQ(readFile(claudeFile), original);
    EXPECT_FALSE(fs::exists(home / ".codex/hooks.json"));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(support / "Integrations")) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"enabled", "purlo-agent-hook"}));
}

TEST_F(AgentIntegrationManagerTest, AFailedBackupLeavesTheFileAsItWas) {
    makeToolFolders();
    const std::string original = R"({"model": "opus"})";
    writeFile(claudeFile, original);
    writeFile(support / "Integrations/Backups", "not a folder");

    EXPECT_EQ(titles(manager.apply(true)),
              (std::vector<std::string>{"Needs attention", "Ready", "Ready"}));
    EXPECT_EQ(readFile(claudeFile), original);
}

} // namespace
} // namespace purlo
