#include "companion/PurloFurPalette.h"

#include <array>
#include <cstddef>

namespace purlo {
namespace {

// One row per skin, in the order of CatSkinPreset.
constexpr std::array<PurloFurPalette, 5> palettes{{
    // calico
    {{0.95, 0.78, 0.56},
     {0.54, 0.35, 0.25},
     {1.00, 0.68, 0.34},
     {0.42, 0.23, 0.17},
     {0.92, 0.49, 0.20},
     {0.16, 0.12, 0.10},
     {0.36, 0.24, 0.18}},
    // tuxedo
    {{0.25, 0.25, 0.25},
     {0.18, 0.18, 0.20},
     {0.31, 0.31, 0.32},
     {0.04, 0.04, 0.05},
     {1.00, 1.00, 1.00},
     {0.03, 0.03, 0.04},
     {0.22, 0.22, 0.25}},
    // orange
    {{0.91, 0.57, 0.22},
     {0.53, 0.25, 0.11},
     {1.00, 0.62, 0.28},
     {0.55, 0.23, 0.08},
     {0.55, 0.23, 0.08},
     {0.25, 0.12, 0.06},
     {0.91, 0.57, 0.22}},
    // gray
    {{0.62, 0.65, 0.68},
     {0.34, 0.38, 0.42},
     {0.70, 0.74, 0.78},
     {0.28, 0.32, 0.36},
     {0.28, 0.32, 0.36},
     {0.16, 0.18, 0.21},
     {0.62, 0.65, 0.68}},
    // midnight
    {{0.14, 0.18, 0.27},
     {0.06, 0.09, 0.16},
     {0.18, 0.23, 0.37},
     {0.04, 0.06, 0.12},
     {0.44, 0.56, 0.86},
     {0.04, 0.06, 0.10},
     {0.14, 0.18, 0.27}},
}};

} // namespace

PurloFurPalette PurloFurPalette::make(CatSkinPreset skin) {
    return palettes[static_cast<std::size_t>(skin)];
}

} // namespace purlo
