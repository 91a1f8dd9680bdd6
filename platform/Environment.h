#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace purlo {

// The process environment as plain text pairs, passed to whatever needs it so that
// tests never read or write the real home.
using Environment = std::map<std::string, std::string, std::less<>>;

Environment processEnvironment();

// The value of name when it is set and not empty.
std::optional<std::string> environmentValue(const Environment& environment, std::string_view name);

// The user's home folder: $HOME, else the password database's entry.
std::filesystem::path homeFolder(const Environment& environment);

// "Purlo" inside $XDG_CONFIG_HOME when that is absolute, else inside ~/.config.
std::filesystem::path configFolder(const Environment& environment);

// "Purlo" inside $XDG_DATA_HOME when that is absolute, else inside ~/.local/share:
// the folder of the agent event file and the integrations.
std::filesystem::path supportFolder(const Environment& environment);

// "Purlo" inside $XDG_STATE_HOME when that is absolute, else inside ~/.local/state: where
// the running program keeps its lock and socket when the session gives it no folder.
std::filesystem::path stateFolder(const Environment& environment);

// $XDG_CONFIG_HOME when absolute, else ~/.config: where autostart entries live.
std::filesystem::path userConfigRoot(const Environment& environment);

} // namespace purlo
