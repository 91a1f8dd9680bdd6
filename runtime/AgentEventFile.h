#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace purlo {

// What tells one version of the event file from the next. Writers replace the file by
// renaming a new one over it, which gives it a new inode; the size and the nanosecond
// modification time catch the rest. A second-resolution time alone would miss a second
// event written within the same second.
struct AgentEventFileStamp {
    std::uintmax_t device = 0;
    std::uintmax_t inode = 0;
    std::intmax_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    friend bool operator==(const AgentEventFileStamp&, const AgentEventFileStamp&) = default;
};

// The stamp of whatever is at path; nothing when nothing is there or it cannot be examined.
std::optional<AgentEventFileStamp> agentEventFileStamp(const std::filesystem::path& path);

} // namespace purlo
