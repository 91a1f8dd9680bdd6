#include "base/JsonText.h"
#include "integrations/AgentHookScript.h"
#include "integrations/AgentIntegrationManager.h"
#include "tests/support/NestedJson.h"
#include "tests/support/TemporaryFolder.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace purlo {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Names = std::set<std::string>;
using testing::readFile;
using testing::writeFile;

constexpr fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;

fs::perms permissionsOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

gid_t groupOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_gid;
}

// "0644": a mode as a person reads it, for messages that say what differs.
std::string octal(fs::perms mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode));
    return text;
}

Names namesIn(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename());
    }
    return names;
}

class AgentIntegration : public ::testing::Test {
protected:
    // Runs a command as a coding tool runs a hook: no input, and its output caught.
    int run(const std::string& command) {
        setenv("PURLO_OUTPUT", (folder / "output").c_str(), 1);
        const int status = std::system((command + " </dev/null >\"$PURLO_OUTPUT\" 2>&1").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void makeToolFolders() {
        for (const char* name : {".claude", ".codex", ".cursor"}) {
            fs::create_directories(home / name);
        }
    }

    const std::string pid = std::to_string(getpid());
    testing::TemporaryFolder folder;
    const fs::path home = folder / "home";
    // A single quote and a space in the path must survive the shell.
    const fs::path support = home / "it's Purlo";
    const fs::path integrations = support / "Integrations";
    const fs::path gate = integrations / "enabled";
    const fs::path eventFile = support / "agent-event.json";
    const fs::path claudeFile = home / ".claude/settings.json";
    const AgentIntegrationManager manager{home, support, {{"HOME", home}}};
    const std::vector<AgentConnectionStatus> ready{
        {AgentTool::claudeCode, "Ready", "Start a new session to use Purlo’s reactions."},
        {AgentTool::codex, "Ready",
         "Start a new local session. If asked, review Purlo’s connections in Codex’s /hooks menu."},
        {AgentTool::cursor, "Ready", "Ready for your next local Agent task."}};
};

TEST_F(AgentIntegration, TheHookWritesTheExactRecordOnlyBehindALiveGate) {
    ASSERT_FALSE(manager.installHelperAndGate());
    setenv("PURLO_HOOK", (integrations / "purlo-agent-hook").c_str(), 1);
    const std::string live = pid + " A1B2";
    // {gate ("-" for none), tool, word}; no process id is above the kernel's limit of 4194304.
    std::vector<std::array<std::string, 3>> silent = {
        {live, "codex", "thinking"}, {live, "Cursor", "started"}, {live, "Cursor", ""}};
    for (const std::string badGate : {"-", "4194305 A1B2", "0 A1B2", "12a A1B2", ""}) {
        silent.push_back({badGate, "Codex", "thinking"});
    }
    silent.push_back({"0" + live, "Codex", "thinking"});
    const std::array<std::string, 3> writing[] = {
        {pid + " 6F1C2B8E-0D6A-4E8B-9C1F-2A3B4C5D6E7F", "Cursor", "completed"},
        {pid + " X", "Claude Code", "thinking"},
        {pid, "Codex", "waiting"}};
    for (const auto& c : silent) {
        fs::remove(gate);
        if (c[0] != "-") {
            writeFile(gate, c[0]);
        }
        EXPECT_EQ(run("/bin/sh \"$PURLO_HOOK\" '" + c[1] + "' '" + c[2] + "'"), 0);
        EXPECT_EQ(readFile(folder / "output"), "");
        EXPECT_EQ(namesIn(support), Names{"Integrations"}) << c[0] << " " << c[1] << " " << c[2];
    }
    for (const auto& [gateText, tool, word] : writing) {
        writeFile(gate, gateText);
        EXPECT_EQ(run("/bin/sh \"$PURLO_HOOK\" '" + tool + "' '" + word + "'"), 0);
        EXPECT_EQ(readFile(folder / "output"), "");
        EXPECT_EQ(readFile(eventFile), R"({"event":")" + word + R"(","source":")" + tool + "\"}\n");
        EXPECT_EQ(permissionsOf(eventFile), ownerOnly);
        EXPECT_EQ(namesIn(support), (Names{"Integrations", "agent-event.json"}));
    }
    // A record that cannot be written in full (on a full disk) is never moved into place.
    fs::remove(eventFile);
    EXPECT_EQ(run("trap '' XFSZ; ulimit -f 0; /bin/sh \"$PURLO_HOOK\" Codex thinking"), 0);
    EXPECT_EQ(namesIn(support), Names{"Integrations"});
}

// Every hook command stored in the tools' files, by tool.
std::vector<std::pair<AgentTool, std::string>>
storedCommands(const AgentIntegrationManager& manager) {
    std::vector<std::pair<AgentTool, std::string>> commands;
    for (const AgentTool tool : allCases<AgentTool>()) {
        const Json file = Json::parse(readFile(manager.configurationFileURL(tool)));
        for (const auto& [event, entries] : file["hooks"].items()) {
            for (const Json& entry : entries) {
                for (const Json& handler :
                     tool == AgentTool::cursor ? Json{entry} : entry["hooks"]) {
                    commands.emplace_back(tool, handler["command"]);
                }
            }
        }
    }
    return commands;
}

TEST_F(AgentIntegration, AStoredCommandNeverBlocksTheToolOnceItsScriptIsGone) {
    makeToolFolders();
    ASSERT_EQ(manager.apply(true), ready);
    const auto commands = storedCommands(manager);
    ASSERT_EQ(commands.size(), 11u);
    // How a tool may run the text: through a shell, or split into words and started itself.
    const std::string ways[] = {R"(/bin/sh -c "$PURLO_COMMAND")", R"(bash -c "$PURLO_COMMAND")",
                                R"(eval "set -- $PURLO_COMMAND"; exec "$@")"};
    const auto runEach = [&](const std::string& situation) {
        for (const auto& [tool, command] : commands) {
            setenv("PURLO_COMMAND", command.c_str(), 1);
            for (const std::string& way : ways) {
                EXPECT_EQ(run(way), 0) << situation << ": " << way << " " << command;
                EXPECT_EQ(readFile(folder / "output"), "") << situation << ": " << command;
            }
        }
    };

    // Still the script's commands while it is there.
    setenv("PURLO_COMMAND", commands.back().second.c_str(), 1);
    EXPECT_EQ(run(ways[2]), 0);
    EXPECT_EQ(readFile(eventFile), R"({"event":"completed","source":"Cursor"})"
                                   "\n");
    fs::remove(eventFile);

    fs::remove(integrations / "purlo-agent-hook");
    runEach("the script deleted");
    fs::create_directory(integrations / "purlo-agent-hook");
    runEach("a folder in its place");
    fs::remove_all(support);
    runEach("the data folder deleted");
    EXPECT_FALSE(fs::exists(support)) << "nothing was written";
}

TEST_F(AgentIntegration, StatusesSayWhatEachToolNeeds) {
    fs::create_directories(home);
    EXPECT_EQ(manager.apply(true),
              (std::vector<AgentConnectionStatus>{
                  {AgentTool::claudeCode, "Not found", "Open Claude Code once, then check again."},
                  {AgentTool::codex, "Not found", "Open Codex once, then check again."},
                  {AgentTool::cursor, "Not found", "Open Cursor once, then check again."}}));
    EXPECT_FALSE(fs::exists(home / ".cursor"));

    makeToolFolders();
    EXPECT_EQ(manager.apply(true), ready);

    fs::remove(home / ".codex/hooks.json");
    const auto off = manager.apply(false);
    EXPECT_EQ(off[1],
              (AgentConnectionStatus{AgentTool::codex, "Off", "Agent reactions are turned off."}));
    EXPECT_FALSE(fs::exists(home / ".codex/hooks.json"));
    EXPECT_FALSE(fs::exists(gate));

    // The tools' folders follow their variables only when these are absolute.
    const AgentIntegrationManager configured("/h", "/s",
                                             {{"CLAUDE_CONFIG_DIR", "/c"}, {"CODEX_HOME", "x"}});
    EXPECT_EQ(configured.configurationFileURL(AgentTool::claudeCode), "/c/settings.json");
    EXPECT_EQ(configured.configurationFileURL(AgentTool::codex), "/h/.codex/hooks.json");
}

TEST_F(AgentIntegration, OnlyAChangeIsWrittenAfterABackupAndAnUnchangedEntryKeepsItsPlace) {
    makeToolFolders();
    const std::string original = "{\"model\": \"opus\"}\n";
    writeFile(claudeFile, original);
    fs::permissions(claudeFile, fs::perms(0644));
    ASSERT_EQ(manager.apply(true), ready);
    const Names backups = namesIn(integrations / "Backups");
    ASSERT_EQ(backups.size(), 1u) << "new files need none";
    const fs::path backup = integrations / "Backups" / *backups.begin();
    EXPECT_TRUE(backups.begin()->starts_with(".claude-")) << backup;
    EXPECT_EQ(readFile(backup), original);
    EXPECT_EQ(permissionsOf(backup), ownerOnly);
    EXPECT_EQ(permissionsOf(integrations / "Backups"), fs::perms::owner_all);
    EXPECT_EQ(permissionsOf(manager.configurationFileURL(AgentTool::codex)), ownerOnly)
        << "a file this made";

    // A user's own hook after ours, in a layout of the user's own, changes nothing of ours:
    // the file stays byte for byte, since Codex keys its trust in a hook by its position.
    const Json hook = {{"type", "command"}, {"command", "notify-send done"}};
    std::vector<std::string> written;
    for (const AgentTool tool : allCases<AgentTool>()) {
        const fs::path file = manager.configurationFileURL(tool);
        Json json = Json::parse(readFile(file));
        if (tool == AgentTool::cursor) {
            json["hooks"]["stop"].push_back(hook);
        } else {
            json["hooks"]["Stop"].push_back({{"hooks", {hook}}});
        }
        writeFile(file, json.dump(1, '\t'));
        written.push_back(readFile(file));
    }
    EXPECT_EQ(manager.apply(true), ready);
    for (const AgentTool tool : allCases<AgentTool>()) {
        EXPECT_EQ(readFile(manager.configurationFileURL(tool)), written[int(tool)])
            << toString(tool);
    }
    EXPECT_EQ(namesIn(integrations / "Backups").size(), 1u);

    // Turned off, ours before the user's stays, so that theirs keeps its place.
    const Json ownStop = Json::parse(written[0])["hooks"]["Stop"][0];
    manager.apply(false);
    EXPECT_EQ(Json::parse(readFile(claudeFile)),
              (Json{{"model", "opus"}, {"hooks", {{"Stop", {ownStop, {{"hooks", {hook}}}}}}}}));
    EXPECT_EQ(namesIn(integrations / "Backups").size(), 4u) << "one more for each tool's file";
}

TEST_F(AgentIntegration, TurningOffAndOnAgainMovesNoHookOfTheUsers) {
    makeToolFolders();
    ASSERT_EQ(manager.apply(true), ready);
    // The user adds hooks of their own: a group after ours, a handler inside our group, a
    // group before ours. Turned off, ours goes only where nothing of the user's follows it.
    const auto handler = [](const char* command) {
        return Json{{"type", "command"}, {"command", command}};
    };
    std::map<AgentTool, std::string> edited;
    std::map<AgentTool, Json> off;
    for (const AgentTool tool : allCases<AgentTool>()) {
        const fs::path file = manager.configurationFileURL(tool);
        Json json = Json::parse(readFile(file));
        Json& hooks = json["hooks"];
        const bool cursor = tool == AgentTool::cursor;
        Json& before = hooks[cursor ? "beforeSubmitPrompt" : "PreToolUse"];
        before.insert(before.begin(),
                      cursor ? Json{{"command", "lint"}}
                             : Json{{"matcher", "Bash"}, {"hooks", {handler("lint")}}});
        if (cursor) {
            hooks["stop"].push_back(Json{{"command", "notify-send done"}});
        } else {
            hooks["Stop"].push_back(Json{{"hooks", {handler("notify-send done")}}});
            hooks["UserPromptSubmit"][0]["hooks"].push_back(handler("say thinking"));
        }
        writeFile(file, json.dump(1, '\t'));
        edited[tool] = readFile(file);
        before.erase(1);
        hooks.erase(cursor ? "preToolUse" : "PermissionRequest");
        off[tool] = json;
    }
    const auto files = [&] {
        std::map<AgentTool, std::string> now;
        for (const AgentTool tool : allCases<AgentTool>()) {
            now[tool] = readFile(manager.configurationFileURL(tool));
        }
        return now;
    };
    EXPECT_EQ(manager.apply(true), ready);
    EXPECT_EQ(files(), edited) << "ours, where they stand, are present";
    EXPECT_FALSE(fs::exists(integrations / "Backups"));

    manager.apply(false);
    for (const auto& [tool, bytes] : files()) {
        EXPECT_EQ(Json::parse(bytes), off[tool]) << toString(tool);
    }
    manager.apply(true);
    for (const auto& [tool, bytes] : files()) {
        EXPECT_EQ(Json::parse(bytes), Json::parse(edited[tool])) << toString(tool);
    }
}

TEST_F(AgentIntegration, InvalidFilesAndFilesNestedTooDeepAreLeftAsTheyAre) {
    makeToolFolders();
    const std::string refused[] = {"{ \"hooks\": ",
                                   R"({"hooks": {"Stop": [3], "stop": [3]}})",
                                   testing::withNesting(R"({"model":"opus"})", 10'000),
                                   testing::withNesting(R"({"model":"opus"})", 50'000),
                                   std::string(R"({"model":"opus"})") + '\0' + R"(,"hooks":{})",
                                   R"({"model":"opus"})" + std::string(17 * 1024 * 1024, ' ')};
    for (const std::string& bytes : refused) {
        for (const AgentTool tool : allCases<AgentTool>()) {
            writeFile(manager.configurationFileURL(tool), bytes);
        }
        for (const bool enabled : {true, false}) {
            for (const AgentConnectionStatus& status : manager.apply(enabled)) {
                EXPECT_EQ(status.title, "Needs attention") << bytes.substr(0, 40);
                EXPECT_EQ(readFile(manager.configurationFileURL(status.tool)), bytes);
            }
        }
    }
    EXPECT_EQ(manager.apply(true)[2].detail,
              "Couldn’t update Cursor’s settings. Your existing configuration is preserved.");
    EXPECT_FALSE(fs::exists(integrations / "Backups"));

    const std::string deepest = testing::withNesting(R"({"model":"opus"})", maximumJsonDepth);
    writeFile(claudeFile, deepest);
    EXPECT_EQ(manager.apply(true)[0], ready[0]);
    EXPECT_NE(readFile(claudeFile), deepest);
}

TEST_F(AgentIntegration, WritesKilledHalfwayLeaveNothingBehindOnceApplied) {
    makeToolFolders();
    const auto stale = [](const fs::path& file, int age) {
        const fs::path left =
            file.parent_path() / ("." + file.filename().string() + ".0123456789abcdef.tmp");
        writeFile(left, "{\"hoo");
        fs::last_write_time(left, fs::file_time_type::clock::now() - std::chrono::seconds(age));
        return left;
    };
    const fs::path old[] = {stale(claudeFile, 120), stale(gate, 120),
                            stale(integrations / "Backups" / ".codex-1.json", 120),
                            stale(manager.configurationFileURL(AgentTool::cursor), 120)};
    const fs::path young = stale(manager.configurationFileURL(AgentTool::codex), 5);
    const fs::path foreign = home / ".claude" / ".other.json.0123456789abcdef.tmp";
    writeFile(foreign, "theirs");
    fs::last_write_time(foreign, fs::file_time_type::clock::now() - std::chrono::hours(1));
    EXPECT_EQ(manager.apply(true), ready);
    for (const fs::path& left : old) {
        EXPECT_FALSE(fs::exists(left)) << left;
    }
    EXPECT_TRUE(fs::exists(young)) << "perhaps a write under way";
    EXPECT_TRUE(fs::exists(foreign)) << "not a file of ours";
}

TEST_F(AgentIntegration, LinkedFilesAreEditedAtTheirTargets) {
    makeToolFolders();
    const fs::path dotfiles = folder / "dotfiles";
    writeFile(dotfiles / "claude.json", R"({"model": "opus"})");
    fs::create_symlink("../../dotfiles/claude.json", claudeFile);
    // A link whose target does not exist yet gets its target written.
    const fs::path cursorFile = home / ".cursor/hooks.json";
    fs::create_symlink(dotfiles / "cursor.json", cursorFile);

    EXPECT_EQ(manager.apply(true), ready);
    EXPECT_TRUE(fs::is_symlink(claudeFile) && fs::is_symlink(cursorFile));
    const Json claude = Json::parse(readFile(dotfiles / "claude.json"));
    EXPECT_TRUE(claude["model"] == "opus" && claude["hooks"].contains("Stop")) << claude;
    EXPECT_EQ(Json::parse(readFile(dotfiles / "cursor.json"))["version"], 1);
}

TEST_F(AgentIntegration, TheUsersFilesKeepTheirPermissions) {
    makeToolFolders();
    const fs::path dotfiles = folder / "dotfiles";
    writeFile(dotfiles / "claude.json", R"({"model": "opus"})");
    fs::create_symlink(dotfiles / "claude.json", claudeFile);
    const fs::path codexFile = manager.configurationFileURL(AgentTool::codex);
    writeFile(codexFile, "{}");
    const std::pair<fs::path, fs::perms> files[] = {{dotfiles / "claude.json", fs::perms(0644)},
                                                    {codexFile, fs::perms(0640)}};
    for (const auto& [file, mode] : files) {
        fs::permissions(file, mode);
    }
    // Shared with the group "users" (gid 100), which root may give it, and any member.
    std::ignore = ::chown(codexFile.c_str(), static_cast<uid_t>(-1), 100);
    const gid_t codexGroup = groupOf(codexFile);
    // However narrow the umask, as an editor's save would.
    const mode_t umaskBefore = umask(077);
    for (const bool enabled : {true, false, true}) {
        EXPECT_EQ(manager.apply(enabled)[1].title, enabled ? "Ready" : "Off");
        for (const auto& [file, mode] : files) {
            EXPECT_EQ(octal(permissionsOf(file)), octal(mode))
                << file << (enabled ? " on" : " off");
        }
        EXPECT_EQ(groupOf(codexFile), codexGroup) << (enabled ? "on" : "off");
    }
    umask(umaskBefore);
    EXPECT_EQ(permissionsOf(manager.configurationFileURL(AgentTool::cursor)), ownerOnly);
}

TEST_F(AgentIntegration, TheScriptAndGateAreOwnerOnlyAndOnlyOurGateIsRemoved) {
    const fs::path script = integrations / "purlo-agent-hook";
    EXPECT_FALSE(manager.removeGate()) << "a missing gate is no error";
    ASSERT_FALSE(manager.installHelperAndGate());
    EXPECT_EQ(readFile(script), agentHookScript(support));
    EXPECT_EQ(permissionsOf(integrations), fs::perms::owner_all);
    EXPECT_EQ(permissionsOf(script), fs::perms::owner_all);
    EXPECT_EQ(permissionsOf(gate), ownerOnly);
    const std::string session = readFile(gate);
    EXPECT_TRUE(session.starts_with(pid + " ")) << session;

    // Within one run the session stays; a changed script is put back, owner-only.
    writeFile(script, "#!/bin/sh\nexit 0");
    fs::permissions(script, fs::perms(0755));
    ASSERT_FALSE(manager.installHelperAndGate());
    EXPECT_EQ(readFile(gate), session);
    EXPECT_EQ(readFile(script), agentHookScript(support));
    EXPECT_EQ(permissionsOf(script), fs::perms::owner_all);

    // Another process's gate, even one whose id begins like ours, is replaced but never removed,
    // so that a second copy's quit leaves the first copy's hooks alive.
    for (const std::string& foreign : {std::string("1 OLD"), pid + "0 OLD", pid + "OLD", pid}) {
        writeFile(gate, foreign);
        EXPECT_FALSE(manager.removeGate());
        EXPECT_EQ(readFile(gate), foreign);
        ASSERT_FALSE(manager.installHelperAndGate());
        EXPECT_TRUE(readFile(gate).starts_with(pid + " ")) << foreign;
    }
    EXPECT_FALSE(manager.removeGate());
    EXPECT_FALSE(fs::exists(gate));
}

TEST_F(AgentIntegration, AFailedInstallOrBackupTouchesNoToolFile) {
    makeToolFolders();
    const std::string original = R"({"model": "opus"})";
    writeFile(claudeFile, original);
    // A folder where the gate belongs cannot be replaced by a file.
    writeFile(gate / "keep", "");
    for (const auto& status : manager.apply(true)) {
        EXPECT_EQ(status.title, "Needs attention");
        EXPECT_EQ(status.detail, "Purlo couldn’t update its connections. Try again.");
    }
    EXPECT_EQ(readFile(claudeFile), original);
    EXPECT_EQ(namesIn(integrations), (Names{"enabled", "purlo-agent-hook"}));

    fs::remove_all(gate);
    writeFile(integrations / "Backups", "not a folder");
    const auto statuses = manager.apply(true);
    EXPECT_EQ(statuses[0].title, "Needs attention");
    EXPECT_EQ(statuses[1], ready[1]);
    EXPECT_EQ(readFile(claudeFile), original);
}

} // namespace
} // namespace purlo
