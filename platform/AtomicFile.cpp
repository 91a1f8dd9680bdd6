#include "platform/AtomicFile.h"

#include "base/FileDescriptor.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <utility>

namespace purlo {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view temporaryEnding = ".tmp";
constexpr std::size_t temporaryDigits = 16;

std::string temporaryName(const fs::path& path) {
    std::random_device entropy;
    std::array<char, 32> suffix{};
    std::snprintf(suffix.data(), suffix.size(), ".%08x%08x.tmp", entropy(), entropy());
    return "." + path.filename().string() + suffix.data();
}

// The file name a temporary name was made for: ".name.0123456789abcdef.tmp" gives
// "name"; nothing for a name temporaryName cannot have made.
std::optional<std::string_view> temporaryTarget(std::string_view name) {
    constexpr std::size_t suffixLength = 1 + temporaryDigits + temporaryEnding.size();
    if (!name.starts_with('.') || !name.ends_with(temporaryEnding) ||
        name.size() <= 1 + suffixLength) {
        return std::nullopt;
    }
    const std::string_view suffix = name.substr(name.size() - suffixLength, 1 + temporaryDigits);
    const bool isHex = std::all_of(suffix.begin() + 1, suffix.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    });
    if (suffix.front() != '.' || !isHex) {
        return std::nullopt;
    }
    return name.substr(1, name.size() - 1 - suffixLength);
}

// A regular file of this user's, last changed before the moment given.
bool isOwnFileChangedBefore(const fs::path& path, std::time_t moment) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_uid == ::geteuid() && status.st_mtime < moment;
}

template <typename IsOurs>
void removeStaleTemporaries(const fs::path& folder, IsOurs isOurs) {
    const std::time_t before = std::time(nullptr) - static_cast<std::time_t>(staleTemporaryFileAge);
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const auto target = temporaryTarget(name);
        if (target && isOurs(*target) && isOwnFileChangedBefore(entry->path(), before)) {
            ::unlink(entry->path().c_str());
        }
    }
}

// A fresh hidden file beside path, created with mode; a name someone else's temporary
// file already took is simply tried again.
FileDescriptor createTemporary(const fs::path& path, fs::perms mode, fs::path& temporary) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = folder / temporaryName(path);
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                   static_cast<mode_t>(mode));
        if (descriptor >= 0 || errno != EEXIST) {
            return FileDescriptor(descriptor);
        }
    }
    errno = EEXIST;
    return FileDescriptor(-1);
}

std::error_code writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code writeAndSync(FileDescriptor& file, std::string_view bytes) {
    if (const auto error = writeAll(file.get(), bytes)) {
        return error;
    }
    if (::fsync(file.get()) != 0) {
        return lastError();
    }
    return file.close();
}

std::error_code renamed(const fs::path& from, const fs::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : lastError();
}

// Makes the rename itself durable; the new content is already in place for readers,
// so a failure here changes nothing the caller could act on.
void syncFolder(const fs::path& folder) {
    const FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.isOpen()) {
        ::fsync(directory.get());
    }
}

std::string quoted(const fs::path& path) {
    return "“" + path.filename().string() + "”";
}

// The bits a file's permission is made of, leaving its kind aside.
constexpr mode_t permissionBits = 07777;

// What a file that replaces another keeps of it.
struct KeptAccess {
    mode_t mode;
    gid_t group;
};

// The bytes in a fresh hidden file beside path, on the disk before it takes any place; its
// name in temporary. It is given the access it keeps, when there is one, before anything is
// written to it, so no reader ever finds the content under other permissions. The group
// comes first, since a change of group may clear the set-group-ID bit the mode then sets;
// it is kept only where the user may set it (a group they belong to), and a file that cannot
// keep it is still written. On failure no file is left.
std::error_code writeTemporary(const fs::path& path, std::string_view bytes, fs::perms mode,
                               std::optional<KeptAccess> kept, fs::path& temporary) {
    FileDescriptor file = createTemporary(path, mode, temporary);
    if (!file.isOpen()) {
        return lastError();
    }
    if (kept) {
        std::ignore = ::fchown(file.get(), static_cast<uid_t>(-1), kept->group);
        if (::fchmod(file.get(), kept->mode) != 0) {
            const auto error = lastError();
            ::unlink(temporary.c_str());
            return error;
        }
    }
    if (const auto error = writeAndSync(file, bytes)) {
        ::unlink(temporary.c_str());
        return error;
    }
    return {};
}

// Ends a write once its temporary file has taken its place, or failed to: a temporary file
// that still holds the new bytes goes, a move that happened is made durable.
std::error_code placed(const fs::path& temporary, std::error_code placing) {
    if (placing) {
        ::unlink(temporary.c_str());
        return placing;
    }
    syncFolder(temporary.parent_path());
    return {};
}

std::error_code writeThroughTemporary(const fs::path& path, std::string_view bytes, fs::perms mode,
                                      std::optional<KeptAccess> kept) {
    fs::path temporary;
    if (const auto error = writeTemporary(path, bytes, mode, kept, temporary)) {
        return error;
    }
    return placed(temporary, renamed(temporary, path));
}

// How a filesystem that cannot swap two names, or a kernel too old to, refuses it.
bool cannotExchange(int reason) {
    return reason == EINVAL || reason == ENOSYS || reason == EOPNOTSUPP;
}

// The name the new bytes of writeFileSettingAside wait under while path is empty: hidden, so
// no key names it, and fixed, so the next read finds it, while neither the stale-temporary
// sweep nor clearPlace, which take ".name.<16 hex digits>.tmp" only, ever removes it.
fs::path pendingPlace(const fs::path& path) {
    return path.parent_path() / ("." + path.filename().string() + ".pending");
}

// Where names cannot be swapped, the old one has to leave path before the new file comes in.
// The new bytes first take the pending name, and that rename reaches the disk before path is
// emptied, so a stop between the two moves leaves them where finishSettingAside finds them. A
// failure once path is empty leaves them there too; before that, they go.
std::error_code setAsideThenMoveIn(const fs::path& temporary, const fs::path& path,
                                   const fs::path& aside) {
    const fs::path pending = pendingPlace(path);
    if (const auto error = renamed(temporary, pending)) {
        return error;
    }
    syncFolder(pending.parent_path());
    clearPlace(aside);
    if (const auto error = renamed(path, aside)) {
        ::unlink(pending.c_str());
        return error;
    }
    return renamed(pending, path);
}

// Swaps the written temporary file with whatever stands at path, then moves the old one on
// from the temporary name to aside. On failure the temporary file still holds the new bytes,
// unless they wait under the pending name for the next read.
std::error_code exchangeSettingAside(const fs::path& temporary, const fs::path& path,
                                     const fs::path& aside) {
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) {
        // The new bytes stand at path now. Should the old one not move on, it stays under the
        // hidden name, where no key can name it and a stale file is cleared at a later start.
        clearPlace(aside);
        std::ignore = ::rename(temporary.c_str(), aside.c_str());
        return {};
    }
    const int reason = errno;
    if (reason == ENOENT) {
        return renamed(temporary, path);
    }
    if (!cannotExchange(reason)) {
        return {reason, std::generic_category()};
    }
    return setAsideThenMoveIn(temporary, path, aside);
}

} // namespace

std::error_code writeFileAtomically(const fs::path& path, std::string_view bytes, fs::perms mode) {
    return writeThroughTemporary(path, bytes, mode, std::nullopt);
}

std::error_code writeFileSettingAside(const fs::path& path, std::string_view bytes,
                                      const fs::path& aside, fs::perms mode) {
    fs::path temporary;
    if (const auto error = writeTemporary(path, bytes, mode, std::nullopt, temporary)) {
        return error;
    }
    return placed(temporary, exchangeSettingAside(temporary, path, aside));
}

void finishSettingAside(const fs::path& path) {
    const fs::path pending = pendingPlace(path);
    struct stat status {};
    if (::lstat(pending.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return;
    }
    if (::lstat(path.c_str(), &status) == 0) {
        ::unlink(pending.c_str());
    } else if (errno == ENOENT && ::rename(pending.c_str(), path.c_str()) == 0) {
        syncFolder(path.parent_path());
    }
}

std::error_code replaceFileKeepingMode(const fs::path& path, std::string_view bytes,
                                       fs::perms modeWhenNew) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return writeThroughTemporary(path, bytes, modeWhenNew, std::nullopt);
    }
    return writeThroughTemporary(path, bytes, fs::perms::owner_read | fs::perms::owner_write,
                                 KeptAccess{status.st_mode & permissionBits, status.st_gid});
}

std::error_code createFolders(const fs::path& folder, fs::perms mode) {
    fs::path partial;
    for (const fs::path& component : folder) {
        partial /= component;
        if (::mkdir(partial.c_str(), static_cast<mode_t>(mode)) != 0 && errno != EEXIST) {
            return lastError();
        }
    }
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return error ? error : std::make_error_code(std::errc::not_a_directory);
    }
    return {};
}

std::error_code truncateRegularFile(const fs::path& path, std::size_t size) {
    const FileDescriptor file(::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!file.isOpen() || ::fstat(file.get(), &status) != 0) {
        return lastError();
    }
    if (!S_ISREG(status.st_mode)) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    if (static_cast<std::uintmax_t>(status.st_size) > size &&
        ::ftruncate(file.get(), static_cast<off_t>(size)) != 0) {
        return lastError();
    }
    return {};
}

void removeStaleTemporaryFiles(const fs::path& file) {
    const std::string name = file.filename().string();
    removeStaleTemporaries(file.parent_path(),
                           [&](std::string_view target) { return target == name; });
}

void removeStaleTemporaryFilesIn(const fs::path& folder) {
    removeStaleTemporaries(folder, [](std::string_view) { return true; });
}

std::error_code removeFile(const fs::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return lastError();
    }
    return {};
}

void clearPlace(const fs::path& path) {
    const fs::path hidden = path.parent_path() / temporaryName(path);
    if (::rename(path.c_str(), hidden.c_str()) == 0) {
        std::error_code ignored;
        fs::remove_all(hidden, ignored);
    }
}

FileError FileError::saving(const fs::path& path, std::error_code error) {
    return {"Could not save " + quoted(path) + " in " + quoted(path.parent_path()) + ": " +
            error.message() + "."};
}

FileError FileError::creatingFolder(const fs::path& folder, std::error_code error) {
    return {"Could not create the folder " + quoted(folder) + ": " + error.message() + "."};
}

FileError FileError::removing(const fs::path& path, std::error_code error) {
    return {"Could not remove " + quoted(path) + ": " + error.message() + "."};
}

} // namespace purlo
