#pragma once

#include "base/Enumeration.h"

#include <optional>
#include <string>

namespace purlo {

// How the companion sits among other windows.
enum class CompanionPresenceMode { floatAboveApps, desktopLevel, autoHideWhenAppsActive };

template <>
struct EnumNames<CompanionPresenceMode> {
    static constexpr std::array<std::string_view, 3> values{"floatAboveApps", "desktopLevel",
                                                            "autoHideWhenAppsActive"};
};

// Whether the companion must be hidden now: only in the auto-hide mode, and only
// while another application (not the file manager) is in front.
bool hidesCompanion(CompanionPresenceMode mode,
                    const std::optional<std::string>& frontmostBundleIdentifier,
                    const std::optional<std::string>& ownBundleIdentifier);

// When the cat may wander off on her own.
enum class CompanionMovementMode { freeRange, roamWhenAway, stayPut };

template <>
struct EnumNames<CompanionMovementMode> {
    static constexpr std::array<std::string_view, 3> values{"freeRange", "roamWhenAway", "stayPut"};
};

inline bool isRoamWhenAway(CompanionMovementMode mode) {
    return mode == CompanionMovementMode::roamWhenAway;
}

// The corners the companion can be sent to. Never stored.
enum class CompanionScreenCorner { topLeft, topRight, bottomLeft, bottomRight };

template <>
struct EnumNames<CompanionScreenCorner> {
    static constexpr std::array<std::string_view, 4> values{"topLeft", "topRight", "bottomLeft",
                                                            "bottomRight"};
};

} // namespace purlo
