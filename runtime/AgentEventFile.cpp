#include "runtime/AgentEventFile.h"

#include "base/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace purlo {

std::optional<AgentEventFileStamp> agentEventFileStamp(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return AgentEventFileStamp{static_cast<std::uintmax_t>(status.st_dev),
                               static_cast<std::uintmax_t>(status.st_ino),
                               static_cast<std::intmax_t>(status.st_size),
                               static_cast<std::int64_t>(status.st_mtim.tv_sec),
                               static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
}

std::optional<std::string> readAgentEventFile(const std::filesystem::path& path,
                                              std::size_t limit) {
    // Without O_NONBLOCK, a pipe put at the path would hold the program until someone
    // wrote to it.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0) {
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    std::string bytes(limit + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t count = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    if (filled > limit) {
        return std::nullopt;
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace purlo
