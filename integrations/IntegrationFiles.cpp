#include "integrations/IntegrationFiles.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace purlo {
namespace fs = std::filesystem;

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Closes the descriptor it holds when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor)
        : descriptor_(descriptor) {}
    ~FileDescriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return descriptor_; }
    bool isOpen() const { return descriptor_ >= 0; }
    // Closes now, reporting the error a late write may only show here.
    std::error_code close() {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        return ::close(descriptor) == 0 ? std::error_code() : lastError();
    }

private:
    int descriptor_;
};

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

std::error_code writeAndRename(FileDescriptor& file, const std::string& temporary,
                               const fs::path& path, std::string_view bytes, fs::perms mode) {
    if (::fchmod(file.get(), static_cast<mode_t>(mode)) != 0) {
        return lastError();
    }
    if (const auto error = writeAll(file.get(), bytes)) {
        return error;
    }
    if (::fsync(file.get()) != 0) {
        return lastError();
    }
    if (const auto error = file.close()) {
        return error;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        return lastError();
    }
    return {};
}

// Makes the rename itself durable; the new content is already in place, so a
// failure here changes nothing the caller could act on.
void syncFolder(const fs::path& folder) {
    const FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.isOpen()) {
        ::fsync(directory.get());
    }
}

bool isSymbolicLink(const fs::path& path) {
    std::error_code missing;
    return fs::is_symlink(fs::symlink_status(path, missing));
}

} // namespace

std::optional<std::string> readRegularFile(const fs::path& path, std::error_code& error) {
    error.clear();
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.isOpen()) {
        error = lastError();
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        error = lastError();
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        error = std::make_error_code(std::errc::invalid_argument);
        return std::nullopt;
    }
    std::string bytes;
    std::array<char, 16384> buffer{};
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer.data(), buffer.size());
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = lastError();
            return std::nullopt;
        }
        if (count == 0) {
            return bytes;
        }
        bytes.append(buffer.data(), static_cast<std::size_t>(count));
    }
}

std::error_code writeFileAtomically(const fs::path& path, std::string_view bytes, fs::perms mode) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string temporary = (folder / ("." + path.filename().native() + ".XXXXXX")).native();
    // mkostemp creates the file readable and writable by its owner only.
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.isOpen()) {
        return lastError();
    }
    if (const auto error = writeAndRename(file, temporary, path, bytes, mode)) {
        ::unlink(temporary.c_str());
        return error;
    }
    syncFolder(folder);
    return {};
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

fs::path resolvedPath(const fs::path& path, std::error_code& error) {
    fs::path resolved = fs::weakly_canonical(path, error);
    // weakly_canonical leaves a link to a missing target as it is.
    for (int hops = 0; !error && isSymbolicLink(resolved); ++hops) {
        if (hops == 40) {
            error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
            break;
        }
        const fs::path target = fs::read_symlink(resolved, error);
        if (!error) {
            resolved = fs::weakly_canonical(resolved.parent_path() / target, error);
        }
    }
    return error ? fs::path() : resolved;
}

} // namespace purlo
