#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

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

// The content of the regular file at path when it holds at most limit bytes. Anything
// else (no file, a folder, a pipe, a device, a larger file, a read error) gives nothing,
// and never blocks: the file is opened without waiting and read no further than one
// byte past the limit.
std::optional<std::string> readAgentEventFile(const std::filesystem::path& path, std::size_t limit);

} // namespace purlo
