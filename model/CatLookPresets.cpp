#include "model/CatLookPresets.h"

#include <array>

namespace purlo {
namespace {

template <typename E, std::size_t N>
std::string_view titleOf(E value, const std::array<std::string_view, N>& titles) {
    return titles[static_cast<std::size_t>(value)];
}

} // namespace

std::string_view title(CatSkinPreset skin) {
    static constexpr std::array<std::string_view, 5> titles{"Calico", "Tuxedo", "Orange", "Gray",
                                                            "Midnight"};
    return titleOf(skin, titles);
}

std::string_view title(CatPatternPreset pattern) {
    static constexpr std::array<std::string_view, 7> titles{"Tuxedo", "Classic", "Solid",  "Mask",
                                                            "Socks",  "Spots",   "Stripes"};
    return titleOf(pattern, titles);
}

std::string_view title(CatEyeColorPreset eyeColor) {
    static constexpr std::array<std::string_view, 5> titles{"Cocoa", "Mint", "Sky", "Honey",
                                                            "Violet"};
    return titleOf(eyeColor, titles);
}

std::string_view title(CatAccessoryPreset accessory) {
    static constexpr std::array<std::string_view, 6> titles{"None",  "Bow",   "Bell",
                                                            "Scarf", "Crown", "Tie"};
    return titleOf(accessory, titles);
}

} // namespace purlo
