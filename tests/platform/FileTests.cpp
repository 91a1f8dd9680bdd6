#include "platform/AtomicFile.h"
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

using namespace testing;

unsigned modeOf(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

long entriesIn(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

TEST(AtomicFile, ReplacesTheWholeFileOwnerOnlyFromTheStartAndLeavesNothingElse) {
    TemporaryFolder folder;
    const mode_t previousMask = ::umask(022);
    const bool written =
        !writeFileAtomically(folder / "gate", "a long first version") &&
        !writeFileAtomically(folder / "gate", "short", std::filesystem::perms(0600)) &&
        !writeFileAtomically(folder / "plain", "x");
    ::umask(previousMask);
    ASSERT_TRUE(written);
    EXPECT_EQ(readFile(folder / "gate"), "short");
    EXPECT_EQ(modeOf(folder / "gate"), 0600u);
    EXPECT_EQ(modeOf(folder / "plain"), 0644u);
    EXPECT_EQ(entriesIn(folder.path()), 2);
}

TEST(AtomicFile, FailuresNameTheFileAndTheReason) {
    TemporaryFolder folder;
    const auto missing = folder / "missing" / "event.json";
    EXPECT_EQ(FileError::saving(missing, writeFileAtomically(missing, "x")),
              FileError{"Could not save “event.json” in “missing”: No such file or directory."});
    writeFile(folder / "plain", "x");
    const auto inside = folder / "plain" / "inside";
    EXPECT_EQ(FileError::creatingFolder(inside, createFolders(inside)),
              FileError{"Could not create the folder “inside”: Not a directory."});
    std::filesystem::create_directories(folder / "full" / "child");
    EXPECT_EQ(FileError::removing(folder / "full", removeFile(folder / "full")),
              FileError{"Could not remove “full”: Is a directory."});
    EXPECT_FALSE(removeFile(folder / "never-there"));
}

TEST(AtomicFile, ReadsOnlyRegularFilesWithoutBlocking) {
    TemporaryFolder folder;
    std::error_code error;
    EXPECT_EQ(readRegularFile(folder / "absent", error), std::nullopt);
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(readRegularFile(folder / "pipe", error), std::nullopt);
    EXPECT_EQ(error, std::errc::invalid_argument);
    writeFile(folder / "plain", "bytes");
    EXPECT_EQ(readRegularFile(folder / "plain", error), "bytes");
    EXPECT_FALSE(error);
    EXPECT_EQ(FileKeyValueStore(folder.path()).data("pipe"), std::nullopt);
}

TEST(FileKeyValueStore, KeepsBytesDatesAndBooleansPerKeyInOwnerOnlyFiles) {
    const TemporaryFolder temporary;
    const auto folder = temporary / "config" / "Purlo";
    FileKeyValueStore store(folder);
    EXPECT_TRUE(store.remove("purlo.settings.v1")) << "nothing to remove is no failure";

    // With no umask to narrow them, the modes seen are the ones the store asked for.
    const mode_t previousMask = ::umask(0);
    const std::string binary("{\"a\":1}\0\xff\n", 10);
    const bool stored = store.setData("purlo.settings.v1", "{}") &&
                        store.setData("purlo.settings.v1", binary) &&
                        store.setData("purlo.settings.v1.backup", "") && store.setData("old", "x");
    ::umask(previousMask);
    ASSERT_TRUE(stored);
    ASSERT_TRUE(store.remove("old"));
    ASSERT_TRUE(store.setDate("seen", Date{812345678.125}));
    ASSERT_TRUE(store.setBoolean("declined", true));

    const FileKeyValueStore reopened(folder);
    EXPECT_EQ(reopened.date("seen"), Date{812345678.125});
    EXPECT_EQ(reopened.boolean("declined"), true);
    EXPECT_EQ(reopened.data("purlo.settings.v1"), binary);
    EXPECT_EQ(reopened.data("purlo.settings.v1.backup"), "");
    EXPECT_EQ(reopened.data("old"), std::nullopt);
    EXPECT_EQ(reopened.date("purlo.settings.v1"), std::nullopt) << "not a date";
    EXPECT_EQ(reopened.boolean("seen"), std::nullopt) << "not a boolean";
    EXPECT_EQ(modeOf(temporary / "config"), 0700u);
    EXPECT_EQ(modeOf(folder), 0700u);
    EXPECT_EQ(modeOf(folder / "purlo.settings.v1"), 0600u);
}

TEST(FileKeyValueStore, AnInterruptedWriteLeavesThePreviousValue) {
    const TemporaryFolder temporary;
    FileKeyValueStore store(temporary.path());
    ASSERT_TRUE(store.setData("purlo.settings.v1", "previous"));

    // The disk fills up halfway through the new bytes (in a child whose files may not grow).
    if (::fork() == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::_exit(store.setData("purlo.settings.v1", std::string(4096, 'x')) ? 1 : 0);
    }
    int status = -1;
    ::wait(&status);
    EXPECT_EQ(status, 0) << "the full disk went unnoticed";
    EXPECT_EQ(store.data("purlo.settings.v1"), "previous");
    EXPECT_EQ(entriesIn(temporary.path()), 1) << "a temporary file is left";

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
    EXPECT_EQ(entriesIn(temporary / "Purlo"), 1);
    EXPECT_TRUE(FileKeyValueStore::isValidKey("purlo.settings.v1.corrupt"));
}

} // namespace
} // namespace purlo
