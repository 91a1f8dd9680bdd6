#pragma once

#include "companion/CatAnimationFrame.h"
#include "companion/CellTarget.h"
#include "companion/PurloFurPalette.h"

namespace purlo {

// The front of the cat that the body painters leave to the view: front legs and
// paws, the white chest, and the paw raised during a pounce. All in the body context.
struct CatStanceDetails {
    // Front legs that sink 5 units per unit of paw offset, chest bib and front paws.
    static void drawSeated(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                           const CellTarget& target);

    // The same chest, with both front paws stretched forward on the ground.
    static void drawBow(const PurloFurPalette& palette, const CellTarget& target);

    // Drawn while pounceSwipeDirection is not 0, on the side that direction times the
    // facing names, so it lands on the pointer's side after the view mirrors her.
    static void drawRaisedPaw(const CatAnimationFrame& frame, double facing,
                              const PurloFurPalette& palette, const CellTarget& target);
};

} // namespace purlo
