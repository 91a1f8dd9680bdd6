#include "runtime/ResidentMemorySampler.h"

#include <array>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>

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

// Read once a second while the program runs: one read into a buffer on the stack, which
// holds the whole status of any process.
std::optional<double> ResidentMemorySampler::footprintMegabytes() const {
    const int file = ::open(statusFile_.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return std::nullopt;
    }
    std::array<char, 8192> text;
    const ssize_t length = ::read(file, text.data(), text.size());
    ::close(file);
    if (length <= 0) {
        return std::nullopt;
    }
    return residentMegabytes(std::string_view(text.data(), static_cast<std::size_t>(length)));
}

} // namespace purlo
