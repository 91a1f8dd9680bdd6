#pragma once

#include "platform/RgbColor.h"

#include <span>

namespace purlo {

// An axis-aligned rectangle in the canvas's current user space (y downward).
struct CanvasRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    friend constexpr bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

// What the cat painters draw on. One fill covers the union of its rectangles once
// (non-zero winding, antialiased), so cells that touch or overlap show neither seams
// nor a doubled coat. Transforms compose like a painter's: the latest call applies
// first to what is drawn afterwards; restore returns to the matching save.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) = 0;

    virtual void save() = 0;
    virtual void restore() = 0;
    virtual void translate(double dx, double dy) = 0;
    // Degrees; positive turns clockwise on screen, the y axis pointing down.
    virtual void rotate(double degrees) = 0;
    virtual void scale(double sx, double sy) = 0;
};

} // namespace purlo
