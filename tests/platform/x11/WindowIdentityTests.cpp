#include "platform/x11/WindowIdentity.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using namespace std::string_literals;
using testing::writeFile;

TEST(WindowIdentity, ReadsWindowClassesWithinTheirBytesAndOnlyValidUtf8Unchanged) {
    const std::tuple<const char*, std::string, WindowClass> cases[] = {
        {"instance then class", "xterm\0XTerm\0"s, {"xterm", "XTerm"}},
        {"the last terminator missing", "code\0Code"s, {"code", "Code"}},
        {"no terminator at all", "lonely"s, {"lonely", std::nullopt}},
        {"an empty instance", "\0Gimp\0"s, {std::nullopt, "Gimp"}},
        {"an empty class", "mpv\0\0"s, {"mpv", std::nullopt}},
        {"nothing", ""s, {}},
        {"more than two parts", "a\0b\0c\0"s, {"a", "b"}},
        {"Latin-1 as the convention says", "caf\xe9\0Caf\xe9\0"s, {"café", "Café"}},
        {"UTF-8 as many programs write it", "caf\xc3\xa9\0\xe2\x9c\x93"s, {"café", "\xe2\x9c\x93"}},
        {"an overlong slash", "\xc0\xaf"s, {"\xc3\x80\xc2\xaf", std::nullopt}},
        {"a lone surrogate", "\xed\xa0\x80"s, {"\xc3\xad\xc2\xa0\xc2\x80", std::nullopt}},
        {"UTF-8 cut short", "\xe2\x9c"s, {"\xc3\xa2\xc2\x9c", std::nullopt}},
    };
    for (const auto& [name, bytes, expected] : cases) {
        const WindowClass parsed = parseWindowClass(bytes);
        EXPECT_EQ(parsed.instanceName, expected.instanceName) << name;
        EXPECT_EQ(parsed.className, expected.className) << name;
    }
}

TEST(WindowIdentity, TheProcessNameStandsInForWhatTheClassLacks) {
    const std::tuple<const char*, WindowClass, std::optional<std::string>, FrontmostApplication>
        cases[] = {
            {"a full class", {"xterm", "XTerm"}, "xterm", {"XTerm", "xterm"}},
            {"no class name", {"kitty", std::nullopt}, "kitty-bin", {"kitty-bin", "kitty"}},
            {"no class at all", {}, "java", {"java", "java"}},
            {"nothing known", {}, std::nullopt, {}},
        };
    for (const auto& [name, windowClass, processName, expected] : cases) {
        EXPECT_EQ(frontmostApplicationFrom(windowClass, processName), expected) << name;
    }
}

TEST(WindowIdentity, ReadsACommandNameOnlyForAPlausibleProcess) {
    testing::TemporaryFolder processes;
    writeFile(processes / "42" / "comm", "gnome-terminal-\n");
    writeFile(processes / "43" / "comm", "\n");
    writeFile(processes / "44" / "comm", std::string(5000, 'x'));
    // Folders no real pid could name, so that only the pid check keeps them unread.
    for (const char* impossible : {"0", "-1", "4294967295"}) {
        writeFile(processes / impossible / "comm", "impostor\n");
    }
    const std::pair<long long, std::optional<std::string>> cases[] = {
        {42, "gnome-terminal-"},     {43, std::nullopt}, {44, std::string(64, 'x')},
        {45, std::nullopt},          {0, std::nullopt},  {-1, std::nullopt},
        {4294967295LL, std::nullopt}};
    for (const auto& [pid, name] : cases) {
        EXPECT_EQ(processCommandName(processes.path(), pid), name) << pid;
    }
}

} // namespace
} // namespace purlo
