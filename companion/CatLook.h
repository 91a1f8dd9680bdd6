#pragma once

#include "model/CatLookPresets.h"

namespace purlo {

// The four choices that make up how the cat looks.
struct CatLook {
    CatSkinPreset skin = CatSkinPreset::tuxedo;
    CatPatternPreset pattern = CatPatternPreset::tuxedo;
    CatEyeColorPreset eyeColor = CatEyeColorPreset::honey;
    CatAccessoryPreset accessory = CatAccessoryPreset::none;

    friend constexpr bool operator==(const CatLook&, const CatLook&) = default;
};

} // namespace purlo
