#pragma once

#include "companion/CellTarget.h"
#include "companion/PurloFurPalette.h"
#include "model/CatLookPresets.h"

namespace purlo {

// What she wears. Neck pieces stay level in the body context; the crown sits on
// the head and tilts with it.
struct CatAccessoryLayer {
    // Bow, bell, scarf or tie; nothing for none and crown.
    static void drawAccessory(CatAccessoryPreset accessory, const PurloFurPalette& palette,
                              const CellTarget& target);

    // Only for the crown; drawn after the eyes.
    static void drawCrown(CatAccessoryPreset accessory, const CellTarget& target);
};

} // namespace purlo
