#pragma once

#include "platform/Canvas.h"

#include <span>

namespace purlo {

// A canvas seen through one fixed transform. The body draws straight onto the
// canvas; the head draws through a turn about the neck followed by a drop, so that
// everything on it tilts and sinks together.
class DrawingContext {
public:
    // The canvas as it is.
    explicit DrawingContext(Canvas& canvas)
        : canvas_(&canvas) {}

    // The canvas turned by degrees (clockwise on screen) about the pivot, then moved
    // down by drop points along the turned vertical.
    DrawingContext(Canvas& canvas, double pivotX, double pivotY, double degrees, double drop)
        : canvas_(&canvas)
        , pivotX_(pivotX)
        , pivotY_(pivotY)
        , degrees_(degrees)
        , drop_(drop) {}

    void fill(std::span<const CanvasRect> rects, RgbColor color, double opacity) const;

private:
    Canvas* canvas_;
    double pivotX_ = 0;
    double pivotY_ = 0;
    double degrees_ = 0;
    double drop_ = 0;
};

} // namespace purlo
