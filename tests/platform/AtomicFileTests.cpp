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
    ASSERT_EQ(writeFileAtomically(file, "a long first version"), std::nullopt);
    ASSERT_EQ(writeFileAtomically(file, "short"), std::nullopt);
    EXPECT_EQ(testing::readFile(file), "short");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(AtomicFile, OwnerOnlyFilesAreOwnerOnlyFromTheStart) {
    TemporaryFolder folder;
    const auto file = folder / "gate";
    const mode_t previousMask = ::umask(022);
    ASSERT_EQ(writeFileAtomically(file, "1234 session", 0600), std::nullopt);
    EXPECT_EQ(permissions(file), 0600u);
    ASSERT_EQ(writeFileAtomically(folder / "plain", "x"), std::nullopt);
    EXPECT_EQ(permissions(folder / "plain"), 0644u);
    ::umask(previousMask);
}

TEST(AtomicFile, FailuresNameTheFileAndTheReason) {
    TemporaryFolder folder;
    EXPECT_EQ(writeFileAtomically(folder / "missing" / "event.json", "x"),
              FileError{"Could not save “event.json” in “missing”: No such file or directory."});
    testing::writeFile(folder / "plain", "x");
    EXPECT_EQ(createFolders(folder / "plain" / "inside"),
              FileError{"Could not create the folder “inside”: Not a directory."});
    std::filesystem::create_directories(folder / "full" / "child");
    EXPECT_EQ(removeFile(folder / "full"), FileError{"Could not remove “full”: Is a directory."});
    EXPECT_EQ(removeFile(folder / "never-there"), std::nullopt);
}

} // namespace
} // namespace purlo
