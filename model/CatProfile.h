#pragma once

#include "base/JsonCoding.h"
#include "model/CatLookPresets.h"
#include "model/PurloPhrasePack.h"

#include <string>
#include <string_view>

namespace purlo {

// A look saved under a name.
struct CatProfile {
    static constexpr double minimumScale = 0.75;
    static constexpr double maximumScale = 1.2;

    std::string id;
    std::string name = "Purlo";
    CatSkinPreset skin = CatSkinPreset::calico;
    CatPatternPreset pattern = CatPatternPreset::classic;
    CatEyeColorPreset eyeColor = CatEyeColorPreset::cocoa;
    CatAccessoryPreset accessory = CatAccessoryPreset::none;
    double companionScale = 1.0;
    PurloPhrasePack phrasePack = PurloPhrasePack::soft;

    // The one rule for every companion and look name: trimmed, "Purlo" when empty.
    static std::string sanitizedName(std::string_view name);
    // The identity a name gives a look: its sanitised form folded and lower-cased.
    static std::string identifier(std::string_view name);
    // A scale kept within 0.75...1.2.
    static double clampedScale(double scale);
    // A scale as the whole percentage people read: 75 at or below the smallest, at
    // most 120, halves rounded away from zero.
    static long scalePercent(double scale);

    // "Calico stripes, Honey eyes, Bell, 100%, Soft"
    std::string summary() const;

    // Field by field, texts as a reader sees them (canonically equivalent).
    friend bool operator==(const CatProfile& left, const CatProfile& right);
};

void to_json(Json& json, const CatProfile& profile);
// Tolerant of missing keys, strict about types and raw values.
void from_json(const Json& json, CatProfile& profile);

} // namespace purlo
