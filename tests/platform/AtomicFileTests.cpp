#include "platform/AtomicFile.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace purlo {
namespace {

using testing::TemporaryFolder;

mode_t permissions(const std::filesystem::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 0777;
}

TEST(AtomicFile, ReplacesTheWholeFileAndLeavesNothingElse) {
    TemporaryFolder folder;
    const auto file = folder / "settings.json";
    ASSERT_FALSE(writeFileAtomically(file, "a long first version"));
    ASSERT_FALSE(writeFileAtomically(file, "short"));
    EXPECT_EQ(testing::readFile(file), "short");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(AtomicFile, OwnerOnlyFilesAreOwnerOnlyFromTheStart) {
    TemporaryFolder folder;
    const auto file = folder / "gate";
    const mode_t previousMask = ::umask(022);
    ASSERT_FALSE(writeFileAtomically(file, "1234 session", std::filesystem::perms(0600)));
    EXPECT_EQ(permissions(file), 0600u);
    ASSERT_FALSE(writeFileAtomically(folder / "plain", "x"));
    EXPECT_EQ(permissions(folder / "plain"), 0644u);
    ::umask(previousMask);
}

TEST(AtomicFile, FailuresNameTheFileAndTheReason) {
    TemporaryFolder folder;
    const auto missing = folder / "missing" / "event.json";
    EXPECT_EQ(FileError::saving(missing, writeFileAtomically(missing, "x")),
              FileError{"Could not save “event.json” in “missing”: No such file or directory."});
    testing::writeFile(folder / "plain", "x");
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
    testing::writeFile(folder / "plain", "bytes");
    EXPECT_EQ(readRegularFile(folder / "plain", error), "bytes");
    EXPECT_FALSE(error);
}

} // namespace
} // namespace purlo
