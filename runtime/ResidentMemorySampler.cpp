#include "runtime/ResidentMemorySampler.h"

#include <array>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace purlo {
namespace {

// The figure the summary starts with, taken off it; nothing when it starts otherwise.
std::optional<unsigned long long> takeFigure(std::string_view& summary) {
    unsigned long long value = 0;
    const auto [end, error] =
        std::from_chars(summary.data(), summary.data() + summary.size(), value);
    if (error != std::errc() || end == summary.data()) {
        return std::nullopt;
    }
    summary.remove_prefix(static_cast<std::size_t>(end - summary.data()));
    return value;
}

} // namespace

std::optional<double> residentMegabytes(std::string_view summary, std::size_t pageBytes) {
    const std::optional<unsigned long long> size = takeFigure(summary);
    if (!size || !summary.starts_with(' ')) {
        return std::nullopt;
    }
    summary.remove_prefix(1);
    const std::optional<unsigned long long> resident = takeFigure(summary);
    if (!resident || !(summary.empty() || summary.starts_with(' ') || summary.starts_with('\n'))) {
        return std::nullopt;
    }
    return static_cast<double>(*resident) * static_cast<double>(pageBytes) / (1024.0 * 1024.0);
}

ResidentMemorySampler::ResidentMemorySampler(std::filesystem::path memoryFile,
                                             std::size_t pageBytes)
    : memoryFile_(std::move(memoryFile))
    , pageBytes_(pageBytes) {}

std::size_t ResidentMemorySampler::systemPageBytes() {
    const long bytes = ::sysconf(_SC_PAGESIZE);
    return bytes > 0 ? static_cast<std::size_t>(bytes) : 4096;
}

ResidentMemorySampler::ResidentMemorySampler(ResidentMemorySampler&& other) noexcept
    : memoryFile_(std::move(other.memoryFile_))
    , pageBytes_(other.pageBytes_)
    , file_(std::exchange(other.file_, -1)) {}

ResidentMemorySampler& ResidentMemorySampler::operator=(ResidentMemorySampler&& other) noexcept {
    if (this != &other) {
        if (file_ >= 0) {
            ::close(file_);
        }
        memoryFile_ = std::move(other.memoryFile_);
        pageBytes_ = other.pageBytes_;
        file_ = std::exchange(other.file_, -1);
    }
    return *this;
}

ResidentMemorySampler::~ResidentMemorySampler() {
    if (file_ >= 0) {
        ::close(file_);
    }
}

// Read once a second while the program runs: one read from the start into a buffer on
// the stack, which holds the whole summary. A file that cannot be read is opened again at
// the next reading.
std::optional<double> ResidentMemorySampler::footprintMegabytes() const {
    if (file_ < 0) {
        file_ = ::open(memoryFile_.c_str(), O_RDONLY | O_CLOEXEC);
        if (file_ < 0) {
            return std::nullopt;
        }
    }
    std::array<char, 256> text;
    const ssize_t length = ::pread(file_, text.data(), text.size(), 0);
    if (length <= 0) {
        ::close(file_);
        file_ = -1;
        return std::nullopt;
    }
    return residentMegabytes(std::string_view(text.data(), static_cast<std::size_t>(length)),
                             pageBytes_);
}

} // namespace purlo
