#pragma once

#include "platform/RgbColor.h"

namespace purlo {

// Colours that are the same for every fur.
inline constexpr RgbColor noseColor{0.93, 0.45, 0.50};      // nose, tongue, inside of the mouth
inline constexpr RgbColor innerEarColor{0.96, 0.57, 0.55};  // inner ears
inline constexpr RgbColor whiskerColor{0.88, 0.88, 0.86};   // whiskers
inline constexpr RgbColor mouthLineColor{0.64, 0.67, 0.66}; // the closed mouth
inline constexpr RgbColor white{1, 1, 1};                   // paws, chest, muzzle
inline constexpr RgbColor yellow{1, 0.8, 0};                // celebration sparkles
inline constexpr RgbColor mistGrey{0.88, 0.91, 0.92};       // thought, sleep and sweat marks

} // namespace purlo
