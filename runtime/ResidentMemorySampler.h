#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace purlo {

// The process's resident memory, read from the kernel's status file for this process.
// The file stays open from the first reading on: the kernel writes it afresh for every
// read from its start, and looking the path up again each second would cost more than the
// reading itself. So the file must be one rewritten in place; one replaced under the same
// name is not followed.
class ResidentMemorySampler {
public:
    static constexpr std::string_view ownStatusFile = "/proc/self/status";

    explicit ResidentMemorySampler(std::filesystem::path statusFile = ownStatusFile)
        : statusFile_(std::move(statusFile)) {}
    ResidentMemorySampler(ResidentMemorySampler&& other) noexcept;
    ResidentMemorySampler& operator=(ResidentMemorySampler&& other) noexcept;
    ~ResidentMemorySampler();

    // Mebibytes resident, or nothing when the status cannot be read.
    std::optional<double> footprintMegabytes() const;

private:
    std::filesystem::path statusFile_;
    mutable int file_ = -1; // open from the first reading on
};

// The "VmRSS:" line of a status text in mebibytes; nothing when it is missing or malformed.
std::optional<double> residentMegabytes(std::string_view statusText);

} // namespace purlo
