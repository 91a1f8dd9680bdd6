#include "platform/x11/WindowIdentity.h"
#include "tests/support/TemporaryFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using namespace std::string_literals;
using testing::TemporaryFolder;
using testing::writeFile;

struct ClassCase {
    const char* name;
    std::string bytes;
    WindowClass expected;
};

TEST(WindowIdentity, ReadsWindowClassesWithinTheirBytes) {
    const std::vector<ClassCase> cases{
        {"instance then class", "xterm\0XTerm\0"s, {"xterm", "XTerm"}},
        {"the last terminator missing", "code\0Code"s, {"code", "Code"}},
        {"no terminator at all", "lonely"s, {"lonely", std::nullopt}},
        {"an empty instance", "\0Gimp\0"s, {std::nullopt, "Gimp"}},
        {"an empty class", "mpv\0\0"s, {"mpv", std::nullopt}},
        {"nothing", ""s, {}},
        {"more than two parts", "a\0b\0c\0"s, {"a", "b"}},
        {"Latin-1 as the convention says", "caf\xe9\0Caf\xe9\0"s, {"café", "Café"}},
        {"UTF-8 as many programs write it", "caf\xc3\xa9\0"s, {"café", std::nullopt}},
    };
    for (const auto& c : cases) {
        const WindowClass parsed = parseWindowClass(c.bytes);
        EXPECT_EQ(parsed.instanceName, c.expected.instanceName) << c.name;
        EXPECT_EQ(parsed.className, c.expected.className) << c.name;
    }
}

TEST(WindowIdentity, OnlyValidUtf8PassesUnchanged) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"plain", "plain"},
        {"\xe2\x9c\x93 done", "\xe2\x9c\x93 done"},
        {"\xc0\xaf", "\xc3\x80\xc2\xaf"},             // an overlong slash
        {"\xed\xa0\x80", "\xc3\xad\xc2\xa0\xc2\x80"}, // a lone surrogate
        {"\xe2\x9c", "\xc3\xa2\xc2\x9c"},             // cut short
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(utf8FromWindowText(bytes), expected);
    }
}

struct FallbackCase {
    const char* name;
    WindowClass windowClass;
    std::optional<std::string> processName;
    FrontmostApplication expected;
};

TEST(WindowIdentity, TheProcessNameStandsInForWhatTheClassLacks) {
    const std::vector<FallbackCase> cases{
        {"a full class", {"xterm", "XTerm"}, "xterm", {"XTerm", "xterm"}},
        {"no class name", {"kitty", std::nullopt}, "kitty-bin", {"kitty-bin", "kitty"}},
        {"no class at all", {}, "java", {"java", "java"}},
        {"nothing known", {}, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frontmostApplicationFrom(c.windowClass, c.processName), c.expected) << c.name;
    }
}

TEST(WindowIdentity, ReadsACommandNameOnlyForAPlausibleProcess) {
    TemporaryFolder processes;
    std::filesystem::create_directories(processes / "42");
    writeFile(processes / "42" / "comm", "gnome-terminal-\n");
    std::filesystem::create_directories(processes / "43");
    writeFile(processes / "43" / "comm", "\n");
    std::filesystem::create_directories(processes / "44");
    writeFile(processes / "44" / "comm", std::string(5000, 'x'));
    // Folders no real pid could name, so that only the pid check keeps them unread.
    for (const char* impossible : {"0", "-1", "4294967295"}) {
        std::filesystem::create_directories(processes / impossible);
        writeFile(processes / impossible / "comm", "impostor\n");
    }

    EXPECT_EQ(processCommandName(processes.path(), 42), "gnome-terminal-");
    EXPECT_EQ(processCommandName(processes.path(), 43), std::nullopt);
    EXPECT_EQ(processCommandName(processes.path(), 44), std::string(64, 'x'));
    EXPECT_EQ(processCommandName(processes.path(), 45), std::nullopt);
    for (const long long impossible : {0LL, -1LL, 4294967295LL}) {
        EXPECT_EQ(processCommandName(processes.path(), impossible), std::nullopt) << impossible;
    }
}

} // namespace
} // namespace purlo
