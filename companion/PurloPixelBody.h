#pragma once

#include "companion/CatAnimationFrame.h"
#include "companion/CatGrid.h"
#include "companion/CellTarget.h"
#include "companion/PurloFurPalette.h"

#include <array>

namespace purlo {

// The painters of the cat's body and head, cell by cell on the grid. Each adds its
// cells in painting order (later cells cover earlier ones) and keeps cells of one
// colour together, so that an outlined silhouette costs two fills.
struct PurloPixelBody {
    // Sitting and bowing: the curled tail behind the body, then the haunch and back.
    static void drawSittingTail(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                                const CellTarget& target);
    static void drawSittingBody(const PurloFurPalette& palette, const CellTarget& target);

    static void drawLoafBody(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                             const CellTarget& target);
    static void drawGallopBody(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                               const CellTarget& target);

    // Ears, head, muzzle, nose, mouth and whiskers, in the head context.
    static void drawHead(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                         const CellTarget& target);

    // The left ear from its anchor x and the top of its cells, tip first.
    static std::array<CellRect, 5> earRects(double anchorX, double top);
};

} // namespace purlo
