#pragma once

#include "base/Bundle.h"

#include <string>

namespace purlo {

// The program's name, version and build as its information keys state them, for the
// support report, the support e-mail and the update check.
struct PurloAppInfo {
    std::string name;
    std::string version;
    std::string build;

    // The display name, else the bundle name, else "Purlo"; version and build read
    // "Unavailable" when missing. Every value is trimmed, and a blank one counts as
    // missing, so a display name of spaces gives "Purlo" rather than the bundle name.
    explicit PurloAppInfo(const Bundle& bundle);
    PurloAppInfo(std::string name, std::string version, std::string build)
        : name(std::move(name))
        , version(std::move(version))
        , build(std::move(build)) {}

    friend bool operator==(const PurloAppInfo&, const PurloAppInfo&) = default;
};

} // namespace purlo
