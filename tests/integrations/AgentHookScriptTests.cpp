#include "integrations/AgentHookScript.h"
#include "integrations/AgentIntegrationManager.h"
#include "tests/support/TemporaryFolder.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace purlo {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TemporaryFolder;
using testing::writeFile;

struct ProgramRun {
    int exitStatus = -1;
    std::string output;
};

// Runs a program the way a coding tool runs a hook: nothing on standard input,
// standard output and error caught together. With a full disk, every write beyond
// an empty file fails (the file size limit, its signal ignored).
ProgramRun run(const std::vector<std::string>& arguments, const fs::path& outputFile,
               bool fullDisk = false) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int input = open("/dev/null", O_RDONLY);
        const int output = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (input < 0 || output < 0 || dup2(input, 0) < 0 || dup2(output, 1) < 0 ||
            dup2(output, 2) < 0) {
            _exit(127);
        }
        if (fullDisk) {
            const rlimit none{0, 0};
            setrlimit(RLIMIT_FSIZE, &none);
            signal(SIGXFSZ, SIG_IGN);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    ProgramRun result;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child) {
        result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.output = readFile(outputFile);
    }
    return result;
}

fs::perms permissionsOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

// Names in the support folder that are neither the integrations nor the event file:
// a temporary file left behind would show here.
std::vector<std::string> strayFiles(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename();
        if (name != "Integrations" && name != "agent-event.json") {
            names.push_back(name);
        }
    }
    return names;
}

class AgentHookScript : public ::testing::Test {
protected:
    AgentHookScript() {
        fs::create_directories(support / "Integrations");
        writeFile(scriptPath, agentHookScript(support));
    }

    ProgramRun hook(const std::string& tool, const std::string& word) {
        return run({"/bin/sh", scriptPath, tool, word}, folder / "output");
    }
    void writeGate(const std::string& text) { writeFile(support / "Integrations/enabled", text); }

    const std::string pid = std::to_string(getpid());
    TemporaryFolder folder;
    // A single quote and a space in the path must survive the shell.
    const fs::path support = folder / "it's Purlo";
    const fs::path scriptPath = support / "Integrations/purlo-agent-hook";
    const fs::path eventFile = support / "agent-event.json";
};

TEST_F(AgentHookScript, WritesNothingWithoutALiveGateOrForUnknownWords) {
    struct Case {
        std::optional<std::string> gate;
        std::string tool;
        std::string word;
    };
    // No process id is above the kernel's limit of 4194304.
    const Case cases[] = {
        {std::nullopt, "Codex", "thinking"},
        {"4194305 A1B2", "Codex", "thinking"},
        {"0 A1B2", "Codex", "thinking"},
        {"0" + pid + " A1B2", "Codex", "thinking"},
        {" " + pid + " A1B2", "Codex", "thinking"},
        {"12a A1B2", "Codex", "thinking"},
        {"", "Codex", "thinking"},
        {pid + " A1B2", "codex", "thinking"},
        {pid + " A1B2", "Claude", "thinking"},
        {pid + " A1B2", "Cursor", "started"},
        {pid + " A1B2", "Cursor", "failed"},
        {pid + " A1B2", "Cursor", ""},
    };
    for (const Case& c : cases) {
        fs::remove(support / "Integrations/enabled");
        fs::remove(eventFile);
        if (c.gate) {
            writeGate(*c.gate);
        }
        const ProgramRun result = hook(c.tool, c.word);
        EXPECT_EQ(result.exitStatus, 0) << c.gate.value_or("no gate");
        EXPECT_EQ(result.output, "");
        EXPECT_FALSE(fs::exists(eventFile)) << c.gate.value_or("no gate") << " " << c.tool;
        EXPECT_EQ(strayFiles(support), std::vector<std::string>());
    }
}

TEST_F(AgentHookScript, ALiveGateWritesTheExactOwnerOnlyRecord) {
    struct Case {
        std::string gate;
        std::string tool;
        std::string word;
    };
    const Case cases[] = {
        {pid + " 6F1C2B8E-0D6A-4E8B-9C1F-2A3B4C5D6E7F", "Cursor", "completed"},
        {pid + " X", "Claude Code", "thinking"},
        {pid, "Codex", "waiting"},
    };
    for (const Case& c : cases) {
        writeGate(c.gate);
        const ProgramRun result = hook(c.tool, c.word);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.output, "");
        EXPECT_EQ(readFile(eventFile),
                  R"({"event":")" + c.word + R"(","source":")" + c.tool + "\"}\n");
        EXPECT_EQ(permissionsOf(eventFile), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(strayFiles(support), std::vector<std::string>());
    }
}

TEST_F(AgentHookScript, ARecordThatCannotBeWrittenIsNeverMovedIntoPlace) {
    writeGate(pid + " A1B2");
    const ProgramRun result =
        run({"/bin/sh", scriptPath, "Codex", "thinking"}, folder / "output", true);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_FALSE(fs::exists(eventFile));
    EXPECT_EQ(strayFiles(support), std::vector<std::string>());
}

TEST_F(AgentHookScript, TheInstalledCommandsReachTheEventFile) {
    const fs::path home = folder / "home";
    fs::create_directories(home / ".claude");
    const AgentIntegrationManager manager(home, support, {{"HOME", home}});
    ASSERT_EQ(manager.apply(true)[0].title, "Ready");

    const auto settings = nlohmann::json::parse(readFile(home / ".claude/settings.json"));
    const std::string command = settings["hooks"]["Stop"][0]["hooks"][0]["command"];
    const ProgramRun result = run({"/bin/sh", "-c", command}, folder / "output");
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(readFile(eventFile), "{\"event\":\"completed\",\"source\":\"Claude Code\"}\n");

    // Once the gate is gone at quit, the same command is silent.
    fs::remove(eventFile);
    ASSERT_FALSE(manager.removeGate());
    EXPECT_EQ(run({"/bin/sh", "-c", command}, folder / "output").exitStatus, 0);
    EXPECT_FALSE(fs::exists(eventFile));
}

} // namespace
} // namespace purlo
