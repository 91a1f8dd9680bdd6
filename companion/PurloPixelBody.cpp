#include "companion/PurloPixelBody.h"

#include "companion/PixelColors.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace purlo {
namespace {

// Every outlined shape reaches this far beyond its fill in the socket colour.
constexpr double rim = 6;

CellRect grown(CellRect cell) {
    return {cell.x - rim, cell.y - rim, cell.width + 2 * rim, cell.height + 2 * rim};
}

CellRect shrunk(CellRect cell) {
    return {cell.x + rim, cell.y + rim, cell.width - 2 * rim, cell.height - 2 * rim};
}

CellRect shiftedDown(CellRect cell, double dy) {
    return {cell.x, cell.y + dy, cell.width, cell.height};
}

// A silhouette of rows: all rims first, then all fills, two runs in all.
void paintSilhouette(const CellTarget& target, std::span<const CellRect> outlineRows,
                     RgbColor socket, RgbColor fill) {
    for (const CellRect& row : outlineRows) {
        target.add(socket, row);
    }
    for (const CellRect& row : outlineRows) {
        target.add(fill, shrunk(row));
    }
}

// A single shape with its rim; tail segments are drawn one by one so that each
// keeps its own rim where it overlaps the one before.
void paintOutlined(const CellTarget& target, CellRect fillRect, RgbColor socket, RgbColor fill) {
    target.add(socket, grown(fillRect));
    target.add(fill, fillRect);
}

// The sitting and lying tails sway segment by segment, 0.9 rad apart.
double tailWave(const CatAnimationFrame& frame, int k) {
    return 2.2 * frame.tailYOffset * std::sin(frame.tailWavePhase + 0.9 * k);
}

// The galloping tail swings from its root, which stays still.
double gallopTailWave(const CatAnimationFrame& frame, int k) {
    return 1.4 * k * frame.tailYOffset * std::sin(frame.tailWavePhase + 1.1 * k);
}

CellRect mirroredAboutHeadCentre(CellRect cell) {
    return {572 - cell.x - cell.width, cell.y, cell.width, cell.height};
}

void paintEar(const CellTarget& target, const PurloFurPalette& palette,
              const std::array<CellRect, 5>& ear, const std::array<CellRect, 3>& inner) {
    for (const CellRect& cell : ear) {
        target.add(palette.socket, grown(cell));
    }
    for (const CellRect& cell : ear) {
        target.add(palette.body, cell);
    }
    for (const CellRect& cell : inner) {
        target.add(innerEarColor, cell, 0.92);
    }
}

// Ears drop by 16 units and spread apart by 10 each as the head pitches down; a
// twitch flicks one ear 8 units lower.
void paintEars(const CatAnimationFrame& frame, const PurloFurPalette& palette,
               const CellTarget& target) {
    const double p = frame.headPitchDown;
    const double ex = 190 - 10 * p;
    const double leftTop = 16 * p - 8 * frame.leftEarTwitchYOffset;
    const double rightTop = 16 * p - 8 * frame.rightEarTwitchYOffset;
    const auto innerOf = [ex](double top) {
        return std::array<CellRect, 3>{
            {{ex + 12, top + 28, 18, 18}, {ex + 4, top + 46, 34, 20}, {ex - 4, top + 66, 48, 20}}};
    };

    paintEar(target, palette, PurloPixelBody::earRects(ex, leftTop), innerOf(leftTop));

    std::array<CellRect, 5> rightEar = PurloPixelBody::earRects(ex, rightTop);
    std::array<CellRect, 3> rightInner = innerOf(rightTop);
    std::ranges::transform(rightEar, rightEar.begin(), mirroredAboutHeadCentre);
    std::ranges::transform(rightInner, rightInner.begin(), mirroredAboutHeadCentre);
    paintEar(target, palette, rightEar, rightInner);
}

void paintMouth(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                const CellTarget& target) {
    const double dy = 8 * frame.headPitchDown;
    const double m = frame.yawnProgress;
    if (m > 0.15) {
        target.add(palette.socket, {268, 238 + dy, 42, 10 + 22 * m});
        target.add(noseColor, {273, 243 + dy, 32, std::max(4.0, 22 * m)}, 0.85);
        return;
    }
    target.add(mouthLineColor, {266, 244 + dy, 14, 7}, 0.85);
    target.add(mouthLineColor, {282, 238 + dy, 24, 7}, 0.85);
    target.add(mouthLineColor, {306, 244 + dy, 14, 7}, 0.85);
    if (frame.tongueOut) {
        target.add(noseColor, {280, 251 + dy, 18, 12});
        target.add(noseColor, {283, 263 + dy, 12, 5}, 0.85);
    }
}

struct GallopLeg {
    double x;
    double y;
    double height;
    double pawOpacity;
};

void paintGallopLeg(const PurloFurPalette& palette, const CellTarget& target,
                    const GallopLeg& leg) {
    const double x = leg.x;
    const double y = leg.y;
    const double h = leg.height;
    target.add(palette.socket, {x, y, 46, h});
    target.add(palette.body, {x + 6, y + 6, 34, h - 12});
    target.add(palette.shadow, {x + 30, y + 10, 8, h - 20}, 0.22);
    target.add(palette.socket, {x - 2, y + h - 28, 52, 32});
    target.add(white, {x + 4, y + h - 22, 40, 20}, leg.pawOpacity);
}

} // namespace

std::array<CellRect, 5> PurloPixelBody::earRects(double ex, double top) {
    return {{{ex + 8, top + 4, 30, 22},
             {ex - 2, top + 26, 52, 26},
             {ex - 14, top + 52, 74, 28},
             {ex - 24, top + 80, 92, 28},
             {ex - 30, top + 108, 102, 24}}};
}

void PurloPixelBody::drawSittingTail(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                                     const CellTarget& target) {
    const double tipLift = 10 * frame.tailTipYOffset;
    const std::array<CellRect, 4> segments{{{128, 500, 70, 32},
                                            {76, 500, 66, 32},
                                            {34, 486 + tipLift, 58, 32},
                                            {18, 458 + tipLift, 48, 32}}};
    for (int k = 0; k < 4; ++k) {
        paintOutlined(target, shiftedDown(segments[k], tailWave(frame, k)), palette.socket,
                      palette.tail);
    }
}

void PurloPixelBody::drawSittingBody(const PurloFurPalette& palette, const CellTarget& target) {
    static constexpr std::array<CellRect, 6> rows{{{216, 266, 122, 34},
                                                   {178, 288, 188, 50},
                                                   {140, 326, 242, 70},
                                                   {106, 384, 290, 80},
                                                   {82, 452, 328, 64},
                                                   {96, 504, 314, 36}}};
    paintSilhouette(target, rows, palette.socket, palette.body);

    target.add(palette.shadow, {104, 402, 86, 102}, 0.24);
    target.add(palette.shadow, {176, 314, 38, 152}, 0.14);
    target.add(palette.highlight, {226, 278, 100, 12}, 0.2);
    target.add(palette.highlight, {122, 396, 78, 106}, 0.14);
    target.add(palette.highlight, {204, 318, 34, 144}, 0.1);
    target.add(palette.shadow, {378, 338, 22, 166}, 0.24);

    target.add(palette.socket, {138, 498, 80, 40});
    target.add(white, {144, 504, 68, 28}, 0.96);
    target.add(palette.socket, {164, 520, 7, 9}, 0.45);
    target.add(palette.socket, {186, 520, 7, 9}, 0.45);
}

void PurloPixelBody::drawLoafBody(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                                  const CellTarget& target) {
    static constexpr std::array<CellRect, 5> rows{{{164, 306, 244, 38},
                                                   {156, 332, 260, 40},
                                                   {140, 360, 292, 70},
                                                   {130, 418, 312, 72},
                                                   {136, 478, 300, 58}}};
    paintSilhouette(target, rows, palette.socket, palette.body);

    target.add(palette.highlight, {182, 318, 208, 12}, 0.25);
    target.add(palette.shadow, {150, 452, 60, 70}, 0.28);
    target.add(palette.shadow, {362, 452, 60, 70}, 0.28);

    static constexpr std::array<CellRect, 4> tail{
        {{146, 498, 60, 28}, {202, 506, 60, 28}, {258, 506, 60, 28}, {312, 498, 60, 28}}};
    for (int k = 0; k < 4; ++k) {
        paintOutlined(target, shiftedDown(tail[k], tailWave(frame, k)), palette.socket,
                      palette.tail);
    }

    target.add(white, {352, 502, 18, 18}, 0.45);
}

void PurloPixelBody::drawGallopBody(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                                    const CellTarget& target) {
    static constexpr std::array<CellRect, 3> tail{
        {{104, 398, 56, 24}, {62, 390, 52, 24}, {30, 380, 44, 24}}};
    for (int k = 0; k < 3; ++k) {
        paintOutlined(target, shiftedDown(tail[k], gallopTailWave(frame, k)), palette.socket,
                      palette.tail);
    }

    // The paw offsets only pick the stride; they never move the legs.
    static constexpr std::array<GallopLeg, 4> reaching{
        {{368, 464, 70, 0.96}, {326, 458, 62, 0.9}, {128, 464, 70, 0.96}, {172, 458, 62, 0.9}}};
    static constexpr std::array<GallopLeg, 4> gathered{
        {{316, 460, 66, 0.96}, {346, 456, 60, 0.9}, {190, 460, 66, 0.96}, {158, 456, 60, 0.9}}};
    const auto& legs = frame.leftPawYOffset < frame.rightPawYOffset ? reaching : gathered;
    for (const GallopLeg& leg : legs) {
        paintGallopLeg(palette, target, leg);
    }

    static constexpr std::array<CellRect, 7> rows{{{236, 290, 156, 32},
                                                   {218, 310, 182, 36},
                                                   {180, 334, 226, 32},
                                                   {144, 354, 264, 36},
                                                   {120, 378, 286, 50},
                                                   {106, 416, 294, 52},
                                                   {120, 456, 272, 40}}};
    paintSilhouette(target, rows, palette.socket, palette.body);

    target.add(palette.shadow, {120, 400, 74, 84}, 0.24);
    target.add(palette.highlight, {160, 366, 180, 10}, 0.22);
    target.add(palette.highlight, {352, 430, 40, 52}, 0.12);

    static constexpr std::array<CellRect, 5> chest{{{350, 318, 28, 22},
                                                    {356, 340, 28, 20},
                                                    {358, 360, 28, 24},
                                                    {356, 384, 28, 38},
                                                    {350, 422, 28, 38}}};
    for (const CellRect& cell : chest) {
        target.add(white, cell, 0.96);
    }
}

void PurloPixelBody::drawHead(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                              const CellTarget& target) {
    const double p = frame.headPitchDown;
    paintEars(frame, palette, target);

    static constexpr std::array<CellRect, 7> rows{{{196, 80, 180, 28},
                                                   {166, 96, 240, 36},
                                                   {144, 120, 284, 46},
                                                   {128, 154, 316, 56},
                                                   {126, 198, 320, 50},
                                                   {140, 236, 296, 40},
                                                   {170, 264, 236, 26}}};
    paintSilhouette(target, rows, palette.socket, palette.body);

    target.add(palette.highlight, {208, 94, 154, 10}, 0.22);
    if (p > 0) {
        target.add(palette.highlight, {196, 104, 180, 10}, 0.2 * p);
    }

    // The blaze and muzzle slide down the face as she looks down.
    target.add(white, {270, 90 + 14 * p, 34, 34}, 0.96);
    target.add(white, {258, 124 + 13 * p, 58, 38}, 0.96);
    target.add(white, {244, 162 + 11 * p, 86, 42}, 0.96);
    target.add(white, {214, 204 + 8 * p, 148, 46}, 0.96);
    target.add(white, {236, 250 + 8 * p, 108, 20}, 0.96);

    target.add(noseColor, {272, 204 + 8 * p, 26, 9});
    target.add(noseColor, {280, 213 + 8 * p, 10, 16});

    paintMouth(frame, palette, target);

    const double w = 10 * p;
    target.add(whiskerColor, {146, 218 + w, 106, 6}, 0.9);
    target.add(whiskerColor, {154, 236 + w, 92, 6}, 0.75);
    target.add(whiskerColor, {320, 218 + w, 106, 6}, 0.9);
    target.add(whiskerColor, {326, 236 + w, 92, 6}, 0.75);
}

} // namespace purlo
