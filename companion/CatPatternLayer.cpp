#include "companion/CatPatternLayer.h"

#include "companion/PixelColors.h"

#include <array>
#include <cmath>

namespace purlo {
namespace {

// The tail bands sway with the tail segments they lie on, 0.9 rad apart.
double bandWave(const CatAnimationFrame& frame, int k) {
    return 2.2 * frame.tailYOffset * std::sin(frame.tailWavePhase + 0.9 * k);
}

void drawStripes(const PurloFurPalette& palette, const CatAnimationFrame& frame,
                 const CellTarget& target) {
    const RgbColor stripe = palette.stripe;
    switch (frame.stance) {
    case CatBodyStance::loaf: {
        target.add(stripe, {190, 330, 14, 42}, 0.42);
        target.add(stripe, {154, 390, 14, 72}, 0.4);
        target.add(stripe, {382, 374, 14, 86}, 0.4);
        target.add(stripe, {340, 448, 14, 64}, 0.34);
        static constexpr std::array<double, 4> bandX{158, 214, 270, 324};
        static constexpr std::array<double, 4> bandBase{498, 506, 506, 498};
        for (int k = 0; k < 4; ++k) {
            target.add(stripe, {bandX[k], bandBase[k] + 8 + bandWave(frame, k), 36, 10}, 0.34);
        }
        return;
    }
    case CatBodyStance::sitting:
    case CatBodyStance::bow: {
        target.add(stripe, {198, 306, 16, 64}, 0.44);
        target.add(stripe, {152, 352, 16, 82}, 0.42);
        target.add(stripe, {120, 414, 16, 72}, 0.38);
        target.add(stripe, {334, 314, 16, 90}, 0.42);
        target.add(stripe, {366, 398, 16, 78}, 0.38);
        const double tipLift = 10 * frame.tailTipYOffset;
        target.add(stripe, {138, 510 + bandWave(frame, 0), 50, 10}, 0.38);
        target.add(stripe, {86, 510 + bandWave(frame, 1), 46, 10}, 0.38);
        target.add(stripe, {44, 496 + tipLift + bandWave(frame, 2), 38, 10}, 0.38);
        target.add(stripe, {28, 468 + tipLift + bandWave(frame, 3), 28, 10}, 0.38);
        return;
    }
    case CatBodyStance::gallop:
        target.add(stripe, {168, 392, 14, 66}, 0.42);
        target.add(stripe, {226, 386, 14, 72}, 0.4);
        target.add(stripe, {284, 390, 14, 68}, 0.38);
        return;
    }
}

} // namespace

void CatPatternLayer::drawBodyMarkings(CatPatternPreset pattern, const PurloFurPalette& palette,
                                       const CatAnimationFrame& frame, const CellTarget& target) {
    switch (pattern) {
    case CatPatternPreset::tuxedo:
    case CatPatternPreset::mask:
        return;
    case CatPatternPreset::classic:
        target.add(palette.pattern, {106, 336, 58, 26}, 0.34);
        return;
    case CatPatternPreset::solid:
        target.add(palette.body, {226, 274, 104, 164}, 0.16);
        return;
    case CatPatternPreset::socks:
        target.add(white, {120, 498, 54, 28}, 0.44);
        target.add(white, {206, 494, 54, 34}, 0.4);
        target.add(white, {300, 494, 52, 34}, 0.38);
        target.add(white, {34, 490, 70, 24}, 0.32);
        return;
    case CatPatternPreset::spots:
        target.add(palette.pattern, {130, 318, 52, 56}, 0.48);
        target.add(palette.pattern, {78, 452, 46, 34}, 0.4);
        target.add(palette.pattern, {332, 326, 36, 58}, 0.4);
        return;
    case CatPatternPreset::stripes:
        drawStripes(palette, frame, target);
        return;
    }
}

void CatPatternLayer::drawHeadMarkings(CatPatternPreset pattern, const PurloFurPalette& palette,
                                       const CatAnimationFrame& frame, const CellTarget& target) {
    switch (pattern) {
    case CatPatternPreset::tuxedo:
    case CatPatternPreset::socks:
        return;
    case CatPatternPreset::classic:
        target.add(palette.pattern, {214, 62, 56, 18}, 0.55);
        target.add(palette.pattern, {142, 202, 44, 20}, 0.42);
        target.add(palette.pattern, {348, 198, 38, 22}, 0.42);
        return;
    case CatPatternPreset::solid:
        target.add(palette.body, {232, 96, 72, 136}, 0.18);
        return;
    case CatPatternPreset::mask: {
        const double d = 14 * frame.headPitchDown;
        target.add(palette.shadow, {184, 138 + d, 100, 42}, 0.46);
        target.add(palette.shadow, {326, 138 + d, 88, 42}, 0.46);
        target.add(palette.shadow, {162, 180 + d, 58, 38}, 0.34);
        target.add(palette.shadow, {356, 180 + d, 42, 38}, 0.34);
        return;
    }
    case CatPatternPreset::spots:
        target.add(palette.pattern, {144, 134, 48, 32}, 0.34);
        target.add(palette.pattern, {354, 170, 34, 34}, 0.34);
        return;
    case CatPatternPreset::stripes:
        target.add(palette.stripe, {194, 58, 14, 68}, 0.52);
        target.add(palette.stripe, {164, 146, 14, 78}, 0.46);
        target.add(palette.stripe, {360, 58, 14, 66}, 0.48);
        target.add(palette.stripe, {402, 152, 14, 72}, 0.44);
        return;
    }
}

} // namespace purlo
