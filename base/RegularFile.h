#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace purlo {

// The whole content of a regular file; nothing, with the reason in error, when it is
// missing (no_such_file_or_directory), not a regular file (invalid_argument), larger
// than maximumSize (file_too_large) or unreadable. Never blocks on a pipe or device
// put in a file's place, and never reads more than maximumSize and one byte, so a
// huge file costs no memory.
std::optional<std::string> readRegularFile(const std::filesystem::path& path,
                                           std::size_t maximumSize, std::error_code& error);

} // namespace purlo
