#include "model/CompanionPresence.h"

namespace purlo {

bool hidesCompanion(CompanionPresenceMode mode,
                    const std::optional<std::string>& frontmostBundleIdentifier,
                    const std::optional<std::string>& ownBundleIdentifier) {
    if (mode != CompanionPresenceMode::autoHideWhenAppsActive) {
        return false;
    }
    if (!frontmostBundleIdentifier || frontmostBundleIdentifier->empty()) {
        return false;
    }
    if (ownBundleIdentifier && *ownBundleIdentifier == *frontmostBundleIdentifier) {
        return false;
    }
    return *frontmostBundleIdentifier != "com.apple.finder";
}

} // namespace purlo
