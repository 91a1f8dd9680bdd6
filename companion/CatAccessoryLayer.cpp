#include "companion/CatAccessoryLayer.h"

#include "companion/PixelColors.h"

namespace purlo {
namespace {

constexpr RgbColor bowRed{0.94, 0.14, 0.3};
constexpr RgbColor bowKnot{0.62, 0.06, 0.16};
constexpr RgbColor collarRed{0.8, 0.12, 0.18};
constexpr RgbColor gold{1.0, 0.78, 0.18};
constexpr RgbColor scarfRed{0.72, 0.12, 0.2};
constexpr RgbColor tieLight{0.898, 0.376, 0.29};
constexpr RgbColor tieDark{0.678, 0.243, 0.184};
constexpr RgbColor crownShade{0.86, 0.48, 0.08};
constexpr RgbColor crownGem{0.78, 0.94, 1.0};

void drawBow(const CellTarget& target) {
    target.add(bowRed, {232, 297, 26, 18});
    target.add(bowRed, {254, 285, 34, 38});
    target.add(bowKnot, {288, 297, 18, 18});
    target.add(bowRed, {306, 285, 34, 38});
    target.add(bowRed, {340, 297, 26, 18});
    target.add(white, {262, 293, 18, 12}, 0.2);
    target.add(white, {314, 293, 18, 12}, 0.2);
}

void drawBell(const PurloFurPalette& palette, const CellTarget& target) {
    target.add(collarRed, {214, 289, 150, 14});
    target.add(gold, {286, 303, 34, 28});
    target.add(white, {292, 309, 22, 8}, 0.22);
    target.add(palette.shadow, {294, 329, 18, 8}, 0.55);
}

void drawScarf(const PurloFurPalette& palette, const CellTarget& target) {
    target.add(scarfRed, {208, 288, 158, 18});
    target.add(scarfRed, {232, 306, 104, 16});
    target.add(scarfRed, {336, 314, 34, 78});
    target.add(white, {350, 338, 24, 16}, 0.14);
    target.add(palette.shadow, {348, 386, 24, 10}, 0.22);
}

void drawTie(const CellTarget& target) {
    target.add(tieDark, {222, 292, 134, 12});
    target.add(tieDark, {276, 290, 44, 22});
    target.add(tieLight, {282, 296, 32, 12});
    target.add(tieLight, {286, 312, 24, 28});
    target.add(tieLight, {280, 340, 36, 32});
    target.add(tieLight, {274, 372, 48, 32});
    target.add(tieDark, {284, 404, 28, 14});
    target.add(white, {292, 316, 6, 84}, 0.22);
}

} // namespace

void CatAccessoryLayer::drawAccessory(CatAccessoryPreset accessory, const PurloFurPalette& palette,
                                      const CellTarget& target) {
    switch (accessory) {
    case CatAccessoryPreset::none:
    case CatAccessoryPreset::crown:
        return;
    case CatAccessoryPreset::bow:
        drawBow(target);
        return;
    case CatAccessoryPreset::bell:
        drawBell(palette, target);
        return;
    case CatAccessoryPreset::scarf:
        drawScarf(palette, target);
        return;
    case CatAccessoryPreset::tie:
        drawTie(target);
        return;
    }
}

void CatAccessoryLayer::drawCrown(CatAccessoryPreset accessory, const CellTarget& target) {
    if (accessory != CatAccessoryPreset::crown) {
        return;
    }
    target.add(gold, {218, 70, 114, 18});
    target.add(gold, {230, 52, 18, 34});
    target.add(gold, {268, 38, 22, 48});
    target.add(gold, {308, 52, 18, 34});
    target.add(crownShade, {232, 74, 86, 8}, 0.55);
    target.add(crownGem, {272, 50, 14, 14});
}

} // namespace purlo
