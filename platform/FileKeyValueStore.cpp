#include "platform/FileKeyValueStore.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace purlo {
namespace {

// Closes a descriptor when it goes out of scope.
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
    // Closes now, reporting whether the last buffered write reached the file.
    bool close() {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        return ::close(descriptor) == 0;
    }

private:
    int descriptor_;
};

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
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

// Makes the folder and any missing parent owner-only from the start.
bool makeFolder(const std::filesystem::path& folder) {
    std::filesystem::path partial;
    for (const auto& component : folder) {
        partial /= component;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Flushes the folder's entry list, so that a rename survives a power cut.
void syncFolder(const std::filesystem::path& folder) {
    const FileDescriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.isOpen()) {
        ::fsync(descriptor.get());
    }
}

} // namespace

FileKeyValueStore::FileKeyValueStore(std::filesystem::path folder)
    : folder_(std::move(folder)) {}

bool FileKeyValueStore::isValidKey(std::string_view key) {
    return !key.empty() && !key.starts_with('.') && key.find('/') == std::string_view::npos &&
           key.find('\0') == std::string_view::npos;
}

std::optional<std::string> FileKeyValueStore::data(std::string_view key) const {
    if (!isValidKey(key)) {
        return std::nullopt;
    }
    const std::filesystem::path path = folder_ / key;
    // Non-blocking, so that a pipe planted under a key's name cannot hang the program.
    const FileDescriptor descriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!descriptor.isOpen() || ::fstat(descriptor.get(), &status) != 0 ||
        !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t count = ::read(descriptor.get(), buffer, sizeof buffer);
        if (count == 0) {
            return bytes;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

bool FileKeyValueStore::setData(std::string_view key, std::string_view bytes) {
    if (!isValidKey(key) || !makeFolder(folder_)) {
        return false;
    }
    // The new bytes go to a hidden file beside the key, which no key can name, and
    // replace the old ones only once they are on disk.
    std::string temporary = (folder_ / ("." + std::string(key) + ".XXXXXX")).string();
    FileDescriptor descriptor(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!descriptor.isOpen()) {
        return false;
    }
    const bool written = ::fchmod(descriptor.get(), 0600) == 0 &&
                         writeAll(descriptor.get(), bytes) && ::fsync(descriptor.get()) == 0 &&
                         descriptor.close() &&
                         ::rename(temporary.c_str(), (folder_ / key).c_str()) == 0;
    if (!written) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder_);
    return true;
}

bool FileKeyValueStore::remove(std::string_view key) {
    if (!isValidKey(key)) {
        return false;
    }
    return ::unlink((folder_ / key).c_str()) == 0 || errno == ENOENT;
}

} // namespace purlo
