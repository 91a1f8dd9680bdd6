#include "companion/CatStanceDetails.h"

#include "companion/CatGrid.h"
#include "companion/PixelColors.h"

#include <array>

namespace purlo {
namespace {

void drawChest(const PurloFurPalette& palette, const CellTarget& target) {
    static constexpr std::array<CellRect, 7> bib{{{270, 286, 50, 16},
                                                  {246, 302, 94, 28},
                                                  {232, 330, 130, 38},
                                                  {242, 368, 126, 42},
                                                  {260, 410, 102, 46},
                                                  {278, 456, 66, 48},
                                                  {296, 504, 28, 20}}};
    for (const CellRect& cell : bib) {
        target.add(white, cell, 0.96);
    }
    static constexpr std::array<CellRect, 3> tufts{
        {{224, 350, 18, 16}, {234, 388, 18, 16}, {360, 382, 16, 18}}};
    for (const CellRect& cell : tufts) {
        target.add(white, cell, 0.94);
    }
    target.add(palette.shadow, {248, 320, 10, 98}, 0.08);
}

void drawFrontLeg(const PurloFurPalette& palette, const CellTarget& target, double x, double dy) {
    target.add(palette.socket, {x, 426 + dy, 54, 88});
    target.add(palette.body, {x + 6, 426 + dy, 42, 82});
    target.add(palette.shadow, {x + 36, 430 + dy, 12, 78}, 0.24);
}

void drawFrontPaw(const PurloFurPalette& palette, const CellTarget& target, double x, double dy) {
    target.add(palette.socket, {x, 500 + dy, 68, 40});
    target.add(white, {x + 6, 506 + dy, 56, 28}, 0.96);
    target.add(palette.socket, {x + 22, 523 + dy, 7, 9}, 0.5);
    target.add(palette.socket, {x + 40, 523 + dy, 7, 9}, 0.5);
}

void drawStretchedPaw(const PurloFurPalette& palette, const CellTarget& target, double x) {
    target.add(palette.socket, {x, 434, 56, 78});
    target.add(palette.body, {x + 6, 440, 44, 66});
    target.add(palette.socket, {x - 8, 496, 72, 38});
    target.add(white, {x - 2, 502, 60, 26}, 0.96);
    target.add(palette.socket, {x + 14, 518, 7, 9}, 0.55);
    target.add(palette.socket, {x + 32, 518, 7, 9}, 0.55);
}

CellRect mirroredAcrossGrid(CellRect cell) {
    return {CatGrid::width - cell.x - cell.width, cell.y, cell.width, cell.height};
}

} // namespace

void CatStanceDetails::drawSeated(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                                  const CellTarget& target) {
    const double a = 5 * frame.leftPawYOffset;
    const double b = 5 * frame.rightPawYOffset;
    drawFrontLeg(palette, target, 244, a);
    drawFrontLeg(palette, target, 348, b);
    drawChest(palette, target);
    drawFrontPaw(palette, target, 238, a);
    drawFrontPaw(palette, target, 342, b);
}

void CatStanceDetails::drawBow(const PurloFurPalette& palette, const CellTarget& target) {
    drawChest(palette, target);
    drawStretchedPaw(palette, target, 134);
    drawStretchedPaw(palette, target, 348);
}

void CatStanceDetails::drawRaisedPaw(const CatAnimationFrame& frame, double facing,
                                     const PurloFurPalette& palette, const CellTarget& target) {
    if (frame.pounceSwipeDirection == 0) {
        return;
    }
    const bool onRight = facing * frame.pounceSwipeDirection > 0;
    const auto place = [onRight](CellRect right) {
        return onRight ? right : mirroredAcrossGrid(right);
    };
    target.add(palette.body, place({392, 318, 52, 34}));
    target.add(palette.socket, place({430, 344, 14, 8}), 0.85);
    target.add(white, place({446, 306, 16, 7}), 0.6);
    target.add(white, place({452, 330, 14, 7}), 0.45);
}

} // namespace purlo
