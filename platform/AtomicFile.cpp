#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <system_error>
#include <unistd.h>

namespace purlo {
namespace {

std::string quoted(const std::filesystem::path& path) {
    return "“" + path.filename().string() + "”";
}

std::string reason(int errorNumber) {
    return std::generic_category().message(errorNumber);
}

FileError saveError(const std::filesystem::path& path, int errorNumber) {
    return {"Could not save " + quoted(path) + " in " + quoted(path.parent_path()) + ": " +
            reason(errorNumber) + "."};
}

std::string temporaryName(const std::filesystem::path& path) {
    std::random_device entropy;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x%08x.tmp", entropy(), entropy());
    return "." + path.filename().string() + suffix;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced changes nothing for
// readers, so a failure here is not reported.
void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::optional<FileError> createFolders(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return FileError{"Could not create the folder " + quoted(folder) + ": " + error.message() +
                         "."};
    }
    return std::nullopt;
}

std::optional<FileError> writeFileAtomically(const std::filesystem::path& path,
                                             std::string_view bytes, mode_t mode) {
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::filesystem::path temporary;
    int fd = -1;
    // A name already taken by someone else's temporary file is simply tried again.
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = folder / temporaryName(path);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd < 0 && errno != EEXIST) {
            return saveError(path, errno);
        }
    }
    if (fd < 0) {
        return saveError(path, EEXIST);
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    if (::close(fd) != 0 || !written) {
        const int failure = written ? errno : writeErrno;
        ::unlink(temporary.c_str());
        return saveError(path, failure);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int failure = errno;
        ::unlink(temporary.c_str());
        return saveError(path, failure);
    }
    syncFolder(folder);
    return std::nullopt;
}

std::optional<FileError> removeFile(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return FileError{"Could not remove " + quoted(path) + ": " + reason(errno) + "."};
    }
    return std::nullopt;
}

} // namespace purlo
