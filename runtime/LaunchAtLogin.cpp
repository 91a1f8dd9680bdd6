#include "runtime/LaunchAtLogin.h"

namespace purlo {

std::optional<FileError> setLaunchAtLogin(LoginItem& loginItem, bool enabled) {
    const bool isEnabled = loginItem.status() == LoginItemStatus::enabled;
    if (enabled && !isEnabled) {
        return loginItem.registerItem();
    }
    if (!enabled && isEnabled) {
        return loginItem.unregisterItem();
    }
    return std::nullopt;
}

LaunchAtLoginOutcome changeLaunchAtLogin(LoginItem& loginItem, bool wanted) {
    const auto error = setLaunchAtLogin(loginItem, wanted);
    LaunchAtLoginOutcome outcome;
    outcome.launchAtLoginEnabled = loginItem.status() == LoginItemStatus::enabled;
    if (error) {
        outcome.launchAtLoginError = error->message;
    }
    return outcome;
}

} // namespace purlo
