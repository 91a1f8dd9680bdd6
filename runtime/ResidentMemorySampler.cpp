#include "runtime/ResidentMemorySampler.h"

#include <array>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace purlo {
namespace {

constexpr std::string_view residentKey = "VmRSS:";

std::string_view trimmedSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<double> residentMegabytes(std::string_view statusText) {
    while (!statusText.empty()) {
        const auto lineEnd = statusText.find('\n');
        const std::string_view line = statusText.substr(0, lineEnd);
        statusText.remove_prefix(lineEnd == std::string_view::npos ? statusText.size()
                                                                   : lineEnd + 1);
        if (!line.starts_with(residentKey)) {
            continue;
        }
        // The kernel writes the figure in kibibytes: "VmRSS:    12345 kB".
        std::string_view figure = trimmedSpaces(line.substr(residentKey.size()));
        if (!figure.ends_with("kB")) {
            return std::nullopt;
        }
        figure = trimmedSpaces(figure.substr(0, figure.size() - 2));
        unsigned long long kibibytes = 0;
        const auto [end, error] =
            std::from_chars(figure.data(), figure.data() + figure.size(), kibibytes);
        if (error != std::errc() || end != figure.data() + figure.size()) {
            return std::nullopt;
        }
        return static_cast<double>(kibibytes) / 1024.0;
    }
    return std::nullopt;
}

ResidentMemorySampler::ResidentMemorySampler(ResidentMemorySampler&& other) noexcept
    : statusFile_(std::move(other.statusFile_))
    , file_(std::exchange(other.file_, -1)) {}

ResidentMemorySampler& ResidentMemorySampler::operator=(ResidentMemorySampler&& other) noexcept {
    if (this != &other) {
        if (file_ >= 0) {
            ::close(file_);
        }
        statusFile_ = std::move(other.statusFile_);
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
// the stack, which holds the whole status of any process. A file that cannot be read is
// opened again at the next reading.
std::optional<double> ResidentMemorySampler::footprintMegabytes() const {
    if (file_ < 0) {
        file_ = ::open(statusFile_.c_str(), O_RDONLY | O_CLOEXEC);
        if (file_ < 0) {
            return std::nullopt;
        }
    }
    std::array<char, 8192> text;
    const ssize_t length = ::pread(file_, text.data(), text.size(), 0);
    if (length <= 0) {
        ::close(file_);
        file_ = -1;
        return std::nullopt;
    }
    return residentMegabytes(std::string_view(text.data(), static_cast<std::size_t>(length)));
}

} // namespace purlo
