#pragma once

#include <filesystem>
#include <system_error>

namespace purlo {

// The agent integration edits other programs' files where they really are.

// The path with every symbolic link followed, a link whose target does not exist
// yet included, so that a linked file is replaced at its target and the link
// stays.
std::filesystem::path resolvedPath(const std::filesystem::path& path, std::error_code& error);

} // namespace purlo
