#pragma once

#include "platform/LoginItem.h"

#include <optional>
#include <string>

namespace purlo {

// Registers the login item when wanted and not yet enabled, removes it when not wanted
// and enabled; otherwise leaves it alone. The error is the desktop's refusal.
std::optional<FileError> setLaunchAtLogin(LoginItem& loginItem, bool enabled);

// What the behaviour settings show after the user flips "Open Purlo at login": the
// login item's real status, and why the change failed when it did.
struct LaunchAtLoginOutcome {
    bool launchAtLoginEnabled = false;
    std::optional<std::string> launchAtLoginError;

    friend bool operator==(const LaunchAtLoginOutcome&, const LaunchAtLoginOutcome&) = default;
};

// Tries the change, then reads the status again, so the switch shows what is true rather
// than what was asked for; a later successful change clears the error.
LaunchAtLoginOutcome changeLaunchAtLogin(LoginItem& loginItem, bool wanted);

} // namespace purlo
