#pragma once

#include "companion/CatAnimationFrame.h"
#include "companion/CellTarget.h"
#include "companion/PurloFurPalette.h"
#include "model/CatLookPresets.h"

namespace purlo {

// The coat pattern as translucent cells over the fur: body markings stay level in
// the body context, head markings tilt and sink with the head.
struct CatPatternLayer {
    // Stripes follow the stance and the tail's sway.
    static void drawBodyMarkings(CatPatternPreset pattern, const PurloFurPalette& palette,
                                 const CatAnimationFrame& frame, const CellTarget& target);

    // The mask moves down with the eyes as she looks down.
    static void drawHeadMarkings(CatPatternPreset pattern, const PurloFurPalette& palette,
                                 const CatAnimationFrame& frame, const CellTarget& target);
};

} // namespace purlo
