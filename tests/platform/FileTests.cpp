#include "base/RegularFile.h"
#include "model/PurloSettingsStore.h"
#include "platform/AtomicFile.h"
#include "platform/FileKeyValueStore.h"
#include "tests/support/StopAtEverySystemCall.h"
#include "tests/support/TemporaryFolder.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
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
    EXPECT_EQ(readRegularFile(folder / "absent", 16, error), std::nullopt);
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(readRegularFile(folder / "pipe", 16, error), std::nullopt);
    EXPECT_EQ(error, std::errc::invalid_argument);
    writeFile(folder / "plain", "bytes");
    EXPECT_EQ(readRegularFile(folder / "plain", 16, error), "bytes");
    EXPECT_FALSE(error);
    writeFile(folder / "sixteen", std::string(16, 'x'));
    EXPECT_EQ(readRegularFile(folder / "sixteen", 16, error), std::string(16, 'x'));
    writeFile(folder / "seventeen", std::string(17, 'x'));
    EXPECT_EQ(readRegularFile(folder / "seventeen", 16, error), std::nullopt);
    EXPECT_EQ(error, std::errc::file_too_large);
    // Its size says nothing; the read itself stops one byte past the bound.
    EXPECT_EQ(readRegularFile("/proc/self/status", 16, error), std::nullopt);
    EXPECT_EQ(error, std::errc::file_too_large);
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

TEST(AtomicFile, StaleTemporaryFilesOfOursGoAndNothingElse) {
    const TemporaryFolder temporary;
    const auto folder = temporary / "Purlo";
    const auto ago = [](int seconds) {
        return std::filesystem::file_time_type::clock::now() - std::chrono::seconds(seconds);
    };
    struct Row {
        std::string name;
        int age;
        bool removed;
    };
    const Row rows[] = {
        {".purlo.settings.v1.0123456789abcdef.tmp", 120, true},
        {".settings.json.00000000ffffffff.tmp", 61 + 3600, true},
        {".purlo.settings.v1.0123456789abcdee.tmp", 30, false}, // a write under way
        {".purlo.settings.v1.0123456789ABCDEF.tmp", 120, false},
        {".purlo.settings.v1.0123456789abcde.tmp", 120, false},
        {".purlo.settings.v1.Ab12Cd", 120, false},
        {"..0123456789abcdef.tmp", 120, false},
        {".0123456789abcdef.tmp", 120, false},
        {"notes.0123456789abcdef.tmp", 120, false},
        {"purlo.settings.v1", 120, false},
    };
    for (const Row& row : rows) {
        writeFile(folder / row.name, "half");
        std::filesystem::last_write_time(folder / row.name, ago(row.age));
    }
    std::filesystem::create_directory(folder / ".folder.0123456789abcdef.tmp");
    std::filesystem::create_symlink(folder / "purlo.settings.v1",
                                    folder / ".link.0123456789abcdef.tmp");

    // Beside one file, only that file's own temporary files go.
    removeStaleTemporaryFiles(folder / "settings.json");
    EXPECT_FALSE(std::filesystem::exists(folder / rows[1].name));
    EXPECT_TRUE(std::filesystem::exists(folder / rows[0].name));

    FileKeyValueStore(folder).removeStaleTemporaryFiles();
    for (const Row& row : rows) {
        EXPECT_EQ(std::filesystem::exists(folder / row.name), !row.removed) << row.name;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / ".folder.0123456789abcdef.tmp"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / ".link.0123456789abcdef.tmp"));
    removeStaleTemporaryFilesIn(temporary / "missing"); // nothing to do, nothing thrown
}

PurloSettings userSettings(std::string_view name) {
    return decodeSettingsPayload(R"({"hasCompletedFirstRunOnboarding":true,"skin":"orange",)"
                                 R"("userName":"Ada","pinnedMessage":"hi","companionName":")" +
                                 std::string(name) +
                                 R"(","completionStreak":{"currentDayCount":3,"bestDayCount":5,)"
                                 R"("totalCompletions":41}})")
        .value()
        .settings;
}

TEST(SettingsFiles, TwoDamagesStillFindTheLastSettingsThatDecoded) {
    // "{}" and another program's object decode as JSON but hold no settings.
    const std::string damages[] = {
        "{\"schemaVersion\":1,",           "",   std::string("{}\0junk", 7),
        std::string(2 * 1024 * 1024, ' '), "{}", R"({"theme":"dark","fontSize":12})"};
    for (const std::string& damage : damages) {
        const TemporaryFolder folder;
        FileKeyValueStore store(folder.path());
        const PurloSettings miso = userSettings("Miso"), moved = userSettings("Moved");
        ASSERT_FALSE(PurloSettings::save(miso, store));
        ASSERT_FALSE(PurloSettings::save(moved, store));
        // Damaged while the program runs, which saves again, then damaged once more.
        writeFile(folder / "purlo.settings.v1", damage);
        ASSERT_FALSE(PurloSettings::save(userSettings("Later"), store));
        writeFile(folder / "purlo.settings.v1", damage);

        const auto loaded = PurloSettings::load(store);
        EXPECT_EQ(loaded.recovery, PurloSettingsLoadResult::Recovery::restoredBackup)
            << damage.size();
        EXPECT_EQ(loaded.settings, miso) << damage.size();
        EXPECT_LE(std::filesystem::file_size(folder / "purlo.settings.v1.corrupt"),
                  FileKeyValueStore::maximumValueSize);
    }
}

TEST(SettingsFiles, WhatCannotBeReadAsAFileIsSetAsideAndTheBackupRestored) {
    const auto folderInItsPlace = [](const std::filesystem::path& primary) {
        std::filesystem::create_directories(primary / "inside");
    };
    const auto pipeInItsPlace = [](const std::filesystem::path& primary) {
        ASSERT_EQ(::mkfifo(primary.c_str(), 0600), 0);
    };
    const auto tooLarge = [](const std::filesystem::path& primary) {
        // Valid settings, padded far beyond any real file.
        const auto bytes = encodeSettingsEnvelope(userSettings("Huge")).value();
        writeFile(primary, bytes + std::string(2 * 1024 * 1024, '\n'));
    };
    const std::pair<std::string, std::function<void(const std::filesystem::path&)>> rows[] = {
        {"a folder", folderInItsPlace}, {"a pipe", pipeInItsPlace}, {"too large", tooLarge}};
    for (const auto& [name, replace] : rows) {
        const TemporaryFolder folder;
        FileKeyValueStore store(folder.path());
        const PurloSettings miso = userSettings("Miso");
        ASSERT_FALSE(PurloSettings::save(miso, store));
        ASSERT_FALSE(PurloSettings::save(userSettings("Moved"), store));
        std::filesystem::remove(folder / "purlo.settings.v1");
        replace(folder / "purlo.settings.v1");

        EXPECT_EQ(
            PurloSettings::load(store),
            (PurloSettingsLoadResult{miso, PurloSettingsLoadResult::Recovery::restoredBackup}))
            << name;
        EXPECT_EQ(store.data("purlo.settings.v1"), encodeSettingsEnvelope(miso)) << name;
        const auto aside = folder / "purlo.settings.v1.corrupt";
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(aside))) << name;
        if (std::filesystem::is_regular_file(aside)) {
            EXPECT_EQ(std::filesystem::file_size(aside), FileKeyValueStore::maximumValueSize);
        }
        EXPECT_FALSE(PurloSettings::save(userSettings("Next"), store)) << name;
        EXPECT_EQ(store.data("purlo.settings.v1.backup"), encodeSettingsEnvelope(miso)) << name;
    }
}

TEST(SettingsFiles, WhateverStoodAsideBeforeGivesWayToTheNextDamage) {
    namespace fs = std::filesystem;
    using Damage = std::function<void(const fs::path&)>;
    const Damage folder = [](const fs::path& primary) {
        fs::create_directories(primary / "in");
    };
    const Damage pipe = [](const fs::path& primary) {
        ASSERT_EQ(::mkfifo(primary.c_str(), 0600), 0);
    };
    const Damage garbage = [](const fs::path& primary) {
        writeFile(primary, "not json {");
    };
    const std::pair<std::string, std::vector<Damage>> rows[] = {
        {"a folder twice", {folder, folder}},
        {"a pipe after a folder", {folder, pipe}},
        {"a folder after a file", {garbage, folder}},
    };
    for (const auto& [name, damages] : rows) {
        const TemporaryFolder temporary;
        FileKeyValueStore store(temporary.path());
        const PurloSettings miso = userSettings("Miso");
        ASSERT_FALSE(PurloSettings::save(miso, store));
        for (const Damage& damage : damages) {
            ASSERT_FALSE(PurloSettings::save(userSettings("Moved"), store)) << name;
            fs::remove(temporary / "purlo.settings.v1");
            damage(temporary / "purlo.settings.v1");
            EXPECT_EQ(PurloSettings::load(store).settings, miso) << name;
            EXPECT_FALSE(PurloSettings::save(miso, store)) << name;
        }
    }
}

// Whose system call numbers a filter reads; a filter is written for these two only.
constexpr std::optional<std::uint32_t> nativeAuditArch =
#if defined(__x86_64__)
    AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
    AUDIT_ARCH_AARCH64;
#else
    std::nullopt;
#endif

// Makes this process meet what FUSE and many network folders answer to a swap of two names:
// EINVAL. False when the filter cannot be installed here, or does not take.
bool refuseNameSwaps() {
    if (!nativeAuditArch) {
        return false;
    }
    // The flags are the fifth argument; their low half comes first on these little-endian ones.
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, *nativeAuditArch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_renameat2, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[4])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, RENAME_EXCHANGE, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EINVAL),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        return false;
    }
    return ::renameat2(AT_FDCWD, "/nowhere/a", AT_FDCWD, "/nowhere/b", RENAME_EXCHANGE) != 0 &&
           errno == EINVAL;
}

// A kill at any moment of a recovery or of a save that sets damage aside, the names swapped
// or, where the filesystem refuses that, moved one after the other: a start a minute later,
// after the stale-temporary sweep, finds her settings, and once she deletes the settings file,
// none come back.
TEST(SettingsFiles, AStopAtAnyMomentOfSettingAFolderAsideLosesNoSettings) {
    namespace fs = std::filesystem;
    using Loaded = PurloSettingsLoadResult;
    using enum PurloSettingsLoadResult::Recovery;
    const PurloSettings mittens = userSettings("Mittens"), next = userSettings("Next");
    struct Row {
        std::string name;
        bool swapsRefused;
        std::optional<PurloSettings> saved; // a save while she runs instead of a start
    };
    const Row rows[] = {
        {"a start, names swapped", false, {}},
        {"a save, names swapped", false, next},
        {"a start, swaps refused", true, {}},
        {"a save, swaps refused", true, next},
    };
    for (const Row& row : rows) {
        const TemporaryFolder temporary;
        const fs::path folder = temporary / "Purlo", primary = folder / "purlo.settings.v1";
        const auto arrange = [&] {
            fs::remove_all(folder);
            FileKeyValueStore store(folder);
            ASSERT_FALSE(PurloSettings::save(mittens, store));
            ASSERT_FALSE(PurloSettings::save(userSettings("Moved"), store));
            fs::remove(primary);
            fs::create_directories(primary / "in");
        };
        const auto run = [&] {
            FileKeyValueStore store(folder);
            if (row.saved) {
                PurloSettings::save(*row.saved, store);
            } else {
                PurloSettings::load(store);
            }
        };
        const auto check = [&](std::optional<int> killedAt) {
            const std::string stop =
                row.name + (killedAt ? ", killed at system call " + std::to_string(*killedAt)
                                     : ", not killed");
            for (const auto& entry : fs::directory_iterator(folder)) {
                fs::last_write_time(entry.path(),
                                    fs::file_time_type::clock::now() - std::chrono::minutes(2));
            }
            FileKeyValueStore restarted(folder);
            restarted.removeStaleTemporaryFiles();
            const Loaded loaded = PurloSettings::load(restarted);
            // Until the new settings are in, a start recovers the backup's.
            EXPECT_TRUE(loaded.settings == mittens || (row.saved && loaded.settings == next))
                << stop << ": " << loaded.settings.companionName;
            if (!killedAt) {
                EXPECT_EQ(loaded, (Loaded{row.saved.value_or(mittens), clean})) << stop;
            }
            fs::remove(primary);
            EXPECT_EQ(PurloSettings::load(restarted), (Loaded{PurloSettings{}, clean}))
                << stop << ", then deleted";
        };
        const auto prepare = [&] {
            return !row.swapsRefused || refuseNameSwaps();
        };
        if (const auto unavailable = stopAtEverySystemCall(arrange, prepare, run, check)) {
            GTEST_SKIP() << row.name
                         << " needs ptrace, and seccomp to refuse the swaps: " << *unavailable;
        }
    }
}

// Root ignores permission bits, so body runs in a child as nobody, in a folder given to
// nobody, where what a user cannot remove is what the program meets; the child's failures
// are printed as they happen and fail the test.
void runUnprivileged(const std::filesystem::path& folder, const std::function<void()>& body) {
    constexpr uid_t nobody = 65534;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::chown(folder.c_str(), nobody, nobody) != 0 || ::setgroups(0, nullptr) != 0 ||
             ::setgid(nobody) != 0 || ::setuid(nobody) != 0)) {
            ::_exit(2);
        }
        body();
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0) << "the child's failures are printed above";
}

TEST(SettingsFiles, DamageInEitherPlaceLosesNoFieldAcrossAStartTwoSavesAndARestart) {
    namespace fs = std::filesystem;
    using Put = std::function<void(const fs::path&)>;
    const auto bytes = [](std::string text) -> Put {
        return [text](const fs::path& place) {
            writeFile(place, text);
        };
    };
    const Put folder = [](const fs::path& place) {
        fs::create_directories(place / "in");
    };
    const Put pipe = [](const fs::path& place) {
        ASSERT_EQ(::mkfifo(place.c_str(), 0600), 0);
    };
    const Put link = [](const fs::path& place) {
        fs::create_directory_symlink(".", place);
    };
    // A copy set aside before that not even its owner can remove: a folder holding one
    // without write permission.
    const auto overALockedCopy = [](Put put) -> Put {
        return [put](const fs::path& place) {
            const fs::path locked = place.parent_path() / "purlo.settings.v1.corrupt" / "locked";
            fs::create_directories(locked / "in");
            fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
            put(place);
        };
    };
    // A start that meets the damage and is stopped inside its recovery: its files may not
    // grow, so the restored copy cannot be written, while a rename still can.
    const auto thenAStartThatStops = [](Put put) -> Put {
        return [put](const fs::path& place) {
            put(place);
            rlimit previous{};
            ::getrlimit(RLIMIT_FSIZE, &previous);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit small{100, previous.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &small);
            FileKeyValueStore stopped(place.parent_path());
            PurloSettings::load(stopped);
            ::setrlimit(RLIMIT_FSIZE, &previous);
        };
    };
    const auto withAWin = [](PurloSettings settings) {
        ++settings.completionStreak.totalCompletions;
        return settings;
    };
    enum class When { beforeTheStart, whileSheRuns };
    using enum When;
    const std::string primary = "purlo.settings.v1", backup = "purlo.settings.v1.backup";
    const PurloSettings mittens = userSettings("Mittens"), stored = userSettings("Moved");
    const std::tuple<std::string, std::string, When, Put, PurloSettings> rows[] = {
        {"an envelope of no settings", primary, beforeTheStart,
         bytes(R"({"schemaVersion":1,"settings":{}})"), mittens},
        {"an envelope of another program's keys", primary, beforeTheStart,
         bytes(R"({"schemaVersion":1,"settings":{"theme":"dark","fontSize":12}})"), mittens},
        {"a folder", backup, beforeTheStart, folder, stored},
        {"a pipe", backup, beforeTheStart, pipe, stored},
        {"a link to a folder", backup, beforeTheStart, link, stored},
        {"a folder over a locked copy", backup, beforeTheStart, overALockedCopy(folder), stored},
        {"a folder over a locked copy", primary, beforeTheStart, overALockedCopy(folder), mittens},
        {"a folder, a start stopped", primary, beforeTheStart, thenAStartThatStops(folder),
         mittens},
        {"a folder", primary, whileSheRuns, folder, stored},
    };
    for (const auto& [name, key, when, put, started] : rows) {
        const TemporaryFolder temporary;
        const std::string row = name + " at " + key;
        runUnprivileged(temporary.path(), [&] {
            FileKeyValueStore store(temporary.path());
            ASSERT_FALSE(PurloSettings::save(mittens, store));
            ASSERT_FALSE(PurloSettings::save(stored, store));
            const auto damage = [&] {
                fs::remove(temporary / key);
                put(temporary / key);
            };
            if (when == beforeTheStart) {
                damage();
            }

            const PurloSettings loaded = PurloSettings::load(store).settings;
            EXPECT_EQ(loaded, started) << row;
            if (when == whileSheRuns) {
                damage();
            }
            const PurloSettings once = withAWin(loaded), twice = withAWin(once);
            EXPECT_FALSE(PurloSettings::save(once, store)) << row;
            EXPECT_FALSE(PurloSettings::save(twice, store)) << row;
            FileKeyValueStore restarted(temporary.path());
            EXPECT_EQ(PurloSettings::load(restarted),
                      (PurloSettingsLoadResult{twice, PurloSettingsLoadResult::Recovery::clean}))
                << row;
            EXPECT_EQ(store.data(backup), encodeSettingsEnvelope(withAWin(started))) << row;
            if (when == whileSheRuns) {
                EXPECT_TRUE(fs::is_directory(temporary / "purlo.settings.v1.corrupt" / "in"))
                    << row;
            }
        });
    }
}

} // namespace
} // namespace purlo
