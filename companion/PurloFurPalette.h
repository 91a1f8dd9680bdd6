#pragma once

#include "model/CatLookPresets.h"
#include "platform/RgbColor.h"

namespace purlo {

// The seven colours that change with the fur.
struct PurloFurPalette {
    RgbColor body;      // main fill of head, body, ears and legs
    RgbColor shadow;    // shading strips, always translucent
    RgbColor highlight; // light strips, always translucent
    RgbColor stripe;    // tabby stripes
    RgbColor pattern;   // patches, mask and spots
    RgbColor socket;    // the dark rim around every shape, the open mouth, toe lines, pupils
    RgbColor tail;      // tail segments

    static PurloFurPalette make(CatSkinPreset skin);

    friend constexpr bool operator==(const PurloFurPalette&, const PurloFurPalette&) = default;
};

} // namespace purlo
