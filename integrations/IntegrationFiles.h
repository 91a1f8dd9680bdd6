#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace purlo {

// The file work of the agent integration. Other programs read these files at any
// moment (the coding tools their settings, the hook script the gate), so nothing
// is ever visible half-written, and what is private is private from its creation.

// The whole content of a regular file; nothing, with the reason in error, when it
// is missing (std::errc::no_such_file_or_directory), not a regular file, or
// unreadable. Never blocks on a pipe or device put in a file's place.
std::optional<std::string> readRegularFile(const std::filesystem::path& path,
                                           std::error_code& error);

// Replaces path with bytes through a temporary file in the same folder that has
// its final mode before the first byte is written, is flushed to disk, and is
// renamed over path. A reader sees the old content or the new, never a mix; on
// failure the old file stays and no temporary file is left.
std::error_code writeFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                    std::filesystem::perms mode);

// Makes the folder and its missing parents, each with mode from the start;
// folders that exist keep their permissions.
std::error_code createFolders(const std::filesystem::path& folder, std::filesystem::perms mode);

// The path with every symbolic link followed, a link whose target does not exist
// yet included, so that a linked file is replaced at its target and the link
// stays.
std::filesystem::path resolvedPath(const std::filesystem::path& path, std::error_code& error);

} // namespace purlo
