#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace purlo {

// The process's resident memory, read from the kernel's memory summary for this process:
// sizes in pages, the resident one second. It is the figure the status file calls VmRSS,
// at a fifth of the cost of reading that file, which the kernel writes out whole for
// every read. The file stays open from the first reading on: the kernel writes it afresh
// for every read from its start, and looking the path up again each second would cost more
// than the reading itself. So the file must be one rewritten in place; one replaced under
// the same name is not followed.
class ResidentMemorySampler {
public:
    static constexpr std::string_view ownMemoryFile = "/proc/self/statm";

    explicit ResidentMemorySampler(std::filesystem::path memoryFile = ownMemoryFile,
                                   std::size_t pageBytes = systemPageBytes());
    ResidentMemorySampler(ResidentMemorySampler&& other) noexcept;
    ResidentMemorySampler& operator=(ResidentMemorySampler&& other) noexcept;
    ~ResidentMemorySampler();

    // Mebibytes resident, or nothing when the summary cannot be read.
    std::optional<double> footprintMegabytes() const;

    static std::size_t systemPageBytes();

private:
    std::filesystem::path memoryFile_;
    std::size_t pageBytes_;
    mutable int file_ = -1; // open from the first reading on
};

// The resident size of a memory summary ("size resident shared ..." in pages) in
// mebibytes; nothing when the summary is malformed.
std::optional<double> residentMegabytes(std::string_view summary, std::size_t pageBytes);

} // namespace purlo
