#pragma once

#include "base/Geometry.h"

#include <span>

namespace purlo {

// Which screen a point or the companion belongs to, from the screens' visible frames
// in the desktop's order. Stateless; every answer is a usable frame, the fallback
// when no screen is.
struct ScreenFrameResolver {
    // Stands in when no screen frame can be used.
    static constexpr Rect fallbackFrame{{0, 0}, {1440, 900}};
    // The share of the panel's (or a smaller screen's) width and height that must
    // lie on one screen for the panel to count as on screen.
    static constexpr double sufficientShare = 0.35;

    ScreenFrameResolver() = delete;

    // Whether the frame at origin with size lies sufficiently on one of the screens.
    static bool isFrameSufficientlyOnScreen(std::span<const Rect> frames, Point origin, Size size);

    // The frame whose centre is nearest to point; on a tie the earlier one.
    static Rect nearestScreenFrame(std::span<const Rect> frames, Point point);

    // The screen for point: the first usable frame that holds it, else the first that
    // holds the centre of the companion frame at companionOrigin, else the nearest.
    static Rect screenFrame(std::span<const Rect> frames, Point point, Point companionOrigin,
                            Size size);
};

} // namespace purlo
