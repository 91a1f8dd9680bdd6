#pragma once

namespace purlo {

// An opaque sRGB colour, components 0...1. Opacity travels beside it, per fill, so
// that one colour can be laid down at several strengths.
struct RgbColor {
    double red = 0;
    double green = 0;
    double blue = 0;

    friend constexpr bool operator==(const RgbColor&, const RgbColor&) = default;
};

} // namespace purlo
