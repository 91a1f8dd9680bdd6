#include "platform/Environment.h"

#include <pwd.h>
#include <unistd.h>

extern char** environ;

namespace purlo {
namespace {

std::filesystem::path absoluteOr(const Environment& environment, std::string_view name,
                                 const std::filesystem::path& fallback) {
    if (const auto value = environmentValue(environment, name)) {
        const std::filesystem::path path(*value);
        if (path.is_absolute()) {
            return path;
        }
    }
    return fallback;
}

} // namespace

Environment processEnvironment() {
    Environment environment;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view text(*entry);
        const auto equals = text.find('=');
        if (equals != std::string_view::npos) {
            environment.emplace(std::string(text.substr(0, equals)),
                                std::string(text.substr(equals + 1)));
        }
    }
    return environment;
}

std::optional<std::string> environmentValue(const Environment& environment, std::string_view name) {
    const auto found = environment.find(name);
    if (found == environment.end() || found->second.empty()) {
        return std::nullopt;
    }
    return found->second;
}

std::filesystem::path homeFolder(const Environment& environment) {
    if (const auto home = environmentValue(environment, "HOME")) {
        return *home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) {
        return entry->pw_dir;
    }
    return "/";
}

std::filesystem::path userConfigRoot(const Environment& environment) {
    return absoluteOr(environment, "XDG_CONFIG_HOME", homeFolder(environment) / ".config");
}

std::filesystem::path configFolder(const Environment& environment) {
    return userConfigRoot(environment) / "Purlo";
}

std::filesystem::path supportFolder(const Environment& environment) {
    return absoluteOr(environment, "XDG_DATA_HOME", homeFolder(environment) / ".local" / "share") /
           "Purlo";
}

std::filesystem::path stateFolder(const Environment& environment) {
    return absoluteOr(environment, "XDG_STATE_HOME", homeFolder(environment) / ".local" / "state") /
           "Purlo";
}

} // namespace purlo
