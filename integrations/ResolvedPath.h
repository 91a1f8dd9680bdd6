#pragma once

#include <filesystem>
#include <system_error>

namespace purlo {

// The path with every symbolic link followed, a link whose target does not exist
// yet included, so that the agent integration replaces another program's linked
// file at its target and the link stays.
std::filesystem::path resolvedPath(const std::filesystem::path& path, std::error_code& error);

} // namespace purlo
