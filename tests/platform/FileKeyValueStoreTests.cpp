#include "platform/FileKeyValueStore.h"
#include "tests/support/TemporaryFolder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace purlo {
namespace {

using testing::readFile;
using testing::TemporaryFolder;
using testing::writeFile;

unsigned modeOf(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

std::vector<std::string> entriesOf(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Runs work in a child process whose files may not grow past limit bytes, as on a
// full disk; answers what setData reported there.
bool setDataWithFileSizeLimit(FileKeyValueStore& store, std::string_view key,
                              std::string_view bytes, rlim_t limit) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::_exit(store.setData(key, bytes) ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    return WEXITSTATUS(status) == 1;
}

TEST(FileKeyValueStore, KeepsBytesDatesAndBooleansPerKey) {
    const TemporaryFolder temporary;
    FileKeyValueStore store(temporary / "Purlo");
    EXPECT_EQ(store.data("purlo.settings.v1"), std::nullopt);
    EXPECT_TRUE(store.remove("purlo.settings.v1"));

    const std::string binary("{\"a\":1}\0\xff\n", 10);
    ASSERT_TRUE(store.setData("purlo.settings.v1", binary));
    ASSERT_TRUE(store.setData("purlo.settings.v1.backup", ""));
    ASSERT_TRUE(store.setDate("PurloCompanionLastSeenAt", Date{800000000.125}));
    ASSERT_TRUE(store.setBoolean("purlo.install.moveToApplicationsDeclined", true));

    const FileKeyValueStore reopened(temporary / "Purlo");
    EXPECT_EQ(reopened.data("purlo.settings.v1"), binary);
    EXPECT_EQ(reopened.data("purlo.settings.v1.backup"), "");
    EXPECT_EQ(reopened.date("PurloCompanionLastSeenAt"), Date{800000000.125});
    EXPECT_EQ(reopened.boolean("purlo.install.moveToApplicationsDeclined"), true);
    EXPECT_EQ(readFile(temporary / "Purlo" / "purlo.settings.v1"), binary);

    ASSERT_TRUE(store.setData("purlo.settings.v1", "new"));
    EXPECT_EQ(reopened.data("purlo.settings.v1"), "new");
    ASSERT_TRUE(store.remove("purlo.settings.v1"));
    EXPECT_EQ(reopened.data("purlo.settings.v1"), std::nullopt);
    EXPECT_EQ(entriesOf(temporary / "Purlo"),
              (std::vector<std::string>{"PurloCompanionLastSeenAt",
                                        "purlo.install.moveToApplicationsDeclined",
                                        "purlo.settings.v1.backup"}));
}

TEST(FileKeyValueStore, OwnerOnlyFromTheStart) {
    const TemporaryFolder temporary;
    // With no umask to narrow them, the modes seen are the ones the store asked for.
    const mode_t previousMask = ::umask(0);
    FileKeyValueStore store(temporary / "config" / "Purlo");
    const bool stored = store.setData("purlo.settings.v1", "{}");
    const bool replaced = store.setData("purlo.settings.v1", "{\"b\":2}");
    ::umask(previousMask);
    ASSERT_TRUE(stored);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(modeOf(temporary / "config"), 0700u);
    EXPECT_EQ(modeOf(temporary / "config" / "Purlo"), 0700u);
    EXPECT_EQ(modeOf(temporary / "config" / "Purlo" / "purlo.settings.v1"), 0600u);
}

TEST(FileKeyValueStore, AnInterruptedWriteLeavesThePreviousValue) {
    const TemporaryFolder temporary;
    FileKeyValueStore store(temporary.path());
    ASSERT_TRUE(store.setData("purlo.settings.v1", "previous"));

    // The disk fills up halfway through the new bytes.
    EXPECT_FALSE(setDataWithFileSizeLimit(store, "purlo.settings.v1", std::string(4096, 'x'), 100));
    EXPECT_EQ(store.data("purlo.settings.v1"), "previous");
    EXPECT_EQ(entriesOf(temporary.path()), (std::vector<std::string>{"purlo.settings.v1"}));

    // The program died after writing its temporary file, before the rename.
    writeFile(temporary / ".purlo.settings.v1.Ab12Cd", "half of the ne");
    EXPECT_EQ(store.data("purlo.settings.v1"), "previous");
    ASSERT_TRUE(store.setData("purlo.settings.v1", "next"));
    EXPECT_EQ(store.data("purlo.settings.v1"), "next");
}

TEST(FileKeyValueStore, KeyNamesAreNeverPaths) {
    const TemporaryFolder temporary;
    FileKeyValueStore store(temporary / "Purlo");
    writeFile(temporary / "outside", "secret");
    writeFile(temporary / "Purlo" / ".hidden", "secret");
    const std::string_view keys[] = {
        "", ".", "..", ".hidden", "../outside", "a/b", "/etc/passwd", std::string_view("a\0b", 3)};
    for (const std::string_view key : keys) {
        EXPECT_FALSE(FileKeyValueStore::isValidKey(key)) << key;
        EXPECT_EQ(store.data(key), std::nullopt) << key;
        EXPECT_FALSE(store.setData(key, "x")) << key;
        EXPECT_FALSE(store.remove(key)) << key;
    }
    EXPECT_EQ(readFile(temporary / "outside"), "secret");
    EXPECT_EQ(entriesOf(temporary / "Purlo"), (std::vector<std::string>{".hidden"}));
    EXPECT_TRUE(FileKeyValueStore::isValidKey("purlo.settings.v1.corrupt"));
}

TEST(FileKeyValueStore, OnlyRegularFilesAreValues) {
    const TemporaryFolder temporary;
    FileKeyValueStore store(temporary.path());
    std::filesystem::create_directory(temporary / "folder");
    ASSERT_EQ(::mkfifo((temporary / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(store.data("folder"), std::nullopt);
    EXPECT_EQ(store.data("pipe"), std::nullopt);
}

} // namespace
} // namespace purlo
