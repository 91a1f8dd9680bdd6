#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace purlo {

// The process's resident memory, read from the kernel's status file for this process.
class ResidentMemorySampler {
public:
    static constexpr std::string_view ownStatusFile = "/proc/self/status";

    explicit ResidentMemorySampler(std::filesystem::path statusFile = ownStatusFile)
        : statusFile_(std::move(statusFile)) {}

    // Mebibytes resident, or nothing when the status cannot be read.
    std::optional<double> footprintMegabytes() const;

private:
    std::filesystem::path statusFile_;
};

// The "VmRSS:" line of a status text in mebibytes; nothing when it is missing or malformed.
std::optional<double> residentMegabytes(std::string_view statusText);

} // namespace purlo
