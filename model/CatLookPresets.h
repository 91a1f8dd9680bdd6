#pragma once

#include "base/Enumeration.h"

#include <string_view>

namespace purlo {

// The four catalogues a look is chosen from. Case order is picker order.

enum class CatSkinPreset { calico, tuxedo, orange, gray, midnight };

enum class CatPatternPreset { tuxedo, classic, solid, mask, socks, spots, stripes };

enum class CatEyeColorPreset { cocoa, mint, sky, honey, violet };

enum class CatAccessoryPreset { none, bow, bell, scarf, crown, tie };

template <>
struct EnumNames<CatSkinPreset> {
    static constexpr std::array<std::string_view, 5> values{"calico", "tuxedo", "orange", "gray",
                                                            "midnight"};
};

template <>
struct EnumNames<CatPatternPreset> {
    static constexpr std::array<std::string_view, 7> values{"tuxedo", "classic", "solid",  "mask",
                                                            "socks",  "spots",   "stripes"};
};

template <>
struct EnumNames<CatEyeColorPreset> {
    static constexpr std::array<std::string_view, 5> values{"cocoa", "mint", "sky", "honey",
                                                            "violet"};
};

template <>
struct EnumNames<CatAccessoryPreset> {
    static constexpr std::array<std::string_view, 6> values{"none",  "bow",   "bell",
                                                            "scarf", "crown", "tie"};
};

// Display titles: the raw value with a capital first letter.
std::string_view title(CatSkinPreset skin);
std::string_view title(CatPatternPreset pattern);
std::string_view title(CatEyeColorPreset eyeColor);
std::string_view title(CatAccessoryPreset accessory);

} // namespace purlo
