#pragma once

#include <algorithm>
#include <cmath>

namespace purlo {

// The cat is drawn on a fixed grid, 471 units wide and 558 high, y downward, and
// fitted into whatever canvas it is given with one uniform unit, centred.
struct CatGrid {
    static constexpr double width = 471;
    static constexpr double height = 558;

    double originX = 0;
    double originY = 0;
    double unit = 1; // canvas points per grid unit

    // A canvas without area (or with a size that is not a number) gets unit 0, so
    // everything drawn into it collapses to nothing instead of turning inside out.
    static CatGrid fit(double canvasWidth, double canvasHeight) {
        const double fitted = std::min(canvasWidth / width, canvasHeight / height);
        const double unit = std::isfinite(fitted) && fitted > 0 ? fitted : 0;
        return {(canvasWidth - width * unit) / 2, (canvasHeight - height * unit) / 2, unit};
    }

    friend constexpr bool operator==(const CatGrid&, const CatGrid&) = default;
};

// A cell of the grid: an axis-aligned rectangle in grid units.
struct CellRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    friend constexpr bool operator==(const CellRect&, const CellRect&) = default;
};

} // namespace purlo
