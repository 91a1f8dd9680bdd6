#pragma once

#include "platform/Canvas.h"
#include "platform/RgbColor.h"

#include <array>

namespace purlo {

// The pixel butterfly the cat plays with, at one moment of its wing beat. It is drawn
// on a square canvas of 18 x 18 cells, symmetric about the middle column, the wings
// opening outward from the body as flap grows.
struct ButterflyFrameView {
    static constexpr double cellsAcross = 18;
    // Points across the butterfly's own window.
    static constexpr double canvasSize = 72;

    static constexpr RgbColor outlineColor{0.16, 0.13, 0.12};
    static constexpr RgbColor wingColor{0.898, 0.376, 0.29};
    static constexpr RgbColor edgeColor{0.678, 0.243, 0.184};
    static constexpr RgbColor bodyColor{0.42, 0.3, 0.22};

    struct Cell {
        CanvasRect rect; // in cells
        RgbColor color;
    };

    double flap = 0; // 0 wings folded, 1 wings spread

    // One beat, folded to spread and back, takes pi / 9 seconds.
    static double flapAt(double secondsSinceReferenceDate);

    double upperWingWidth() const;
    // 1.6 cells narrower than the upper wings, but never narrower than 1.4.
    double lowerWingWidth() const;

    // Back to front: the wings' outlines, fills and edges, the body, the antenna tips.
    std::array<Cell, 16> cells() const;

    // Every cell filled in turn on a canvas width points across (a cell is width / 18).
    void draw(Canvas& canvas, double width) const;
};

} // namespace purlo
