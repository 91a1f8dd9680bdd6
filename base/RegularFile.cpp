#include "base/RegularFile.h"

#include "base/FileDescriptor.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace purlo {

std::optional<std::string> readRegularFile(const std::filesystem::path& path,
                                           std::size_t maximumSize, std::error_code& error) {
    error.clear();
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
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
    const auto tooLarge = [&] {
        error = std::make_error_code(std::errc::file_too_large);
        return std::nullopt;
    };
    if (static_cast<std::uintmax_t>(status.st_size) > maximumSize) {
        return tooLarge();
    }
    // The file may grow after the look at its size: one byte more than allowed is
    // enough to know.
    std::string bytes;
    std::array<char, 16384> buffer{};
    for (;;) {
        if (bytes.size() > maximumSize) {
            return tooLarge();
        }
        const std::size_t wanted = std::min(buffer.size(), maximumSize + 1 - bytes.size());
        const ssize_t count = ::read(file.get(), buffer.data(), wanted);
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

} // namespace purlo
