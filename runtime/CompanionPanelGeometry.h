#pragma once

#include "base/Geometry.h"

#include <algorithm>
#include <cstdint>

namespace purlo {

// The companion lives in a panel of one fixed size; its position is the panel's
// lower-left origin in global coordinates.
inline constexpr Size companionPanelSize{160, 204};
// The point of the panel that stands for the cat (her head), from the origin.
inline constexpr Size companionHeadOffset{80, 64};
// Where she sits when nothing better is known.
inline constexpr Point defaultCompanionOrigin{96, 120};
// The edge padding the settings may ask for, in points, is used up to this.
inline constexpr std::int64_t maximumEdgePadding = 96;

// The stored edge padding as placement uses it: 0...96 points, whatever was stored.
inline double edgePaddingInUse(std::int64_t storedPadding) {
    return static_cast<double>(std::clamp<std::int64_t>(storedPadding, 0, maximumEdgePadding));
}

// Where she takes the pointer, for the panel at origin: her 128-point frame about her
// head, scaled by s (her moment's size times the user's, never below a tenth), with 6
// points around it.
inline Rect companionBodyArea(Point origin, double s) {
    constexpr double frameSide = 128;
    constexpr double margin = 6;
    constexpr double smallestScale = 0.1;
    const double side = std::max(s, smallestScale) * frameSide;
    return {{origin.x + (companionPanelSize.width - side) / 2 - margin,
             origin.y + companionHeadOffset.height - side / 2 - margin},
            {side + 2 * margin, side + 2 * margin}};
}

inline Point offsetBy(Point point, Size offset) {
    return {point.x + offset.width, point.y + offset.height};
}

} // namespace purlo
