#include "companion/CatEyeLayer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <span>

namespace purlo {
namespace {

// The right eye repeats the left one this far to the right.
constexpr double rightEyeShift = 136;

double numberOrZero(double value) {
    return std::isnan(value) ? 0 : value;
}

CellRect shiftedRight(CellRect cell, double dx) {
    return {cell.x + dx, cell.y, cell.width, cell.height};
}

// Five rows per eye; a squint pulls the upper edge down while the lower edge stays.
std::array<CellRect, 5> socketRows(double top, double squint) {
    return {{{197, top + squint, 48, 8},
             {192, top + 8 + squint, 58, 8},
             {184, top + 16 + squint, 74, 36 - squint},
             {192, top + 52, 58, 8},
             {197, top + 60, 48, 8}}};
}

std::array<CellRect, 5> irisRows(double top, double squint) {
    return {{{202, top + squint, 38, 9},
             {198, top + 9 + squint, 46, 9},
             {190, top + 18 + squint, 62, 28 - squint},
             {198, top + 46, 46, 9},
             {202, top + 55, 38, 9}}};
}

void addBothEyes(const CellTarget& target, RgbColor color, std::span<const CellRect> leftRows,
                 double opacity) {
    for (const CellRect& row : leftRows) {
        target.add(color, row, opacity);
    }
    for (const CellRect& row : leftRows) {
        target.add(color, shiftedRight(row, rightEyeShift), opacity);
    }
}

// A rounded pupil of width w and height h whose anchor is x: narrower caps above
// and below a tall middle, scaled with the height.
std::array<CellRect, 3> pupilRows(double anchorX, double top, double w, double h) {
    const double left = anchorX - (w - 22) / 2;
    const double cap = 7 * h / 44;
    const double foot = 9 * h / 44;
    return {{{left + 3, top, w - 6, cap},
             {left, top + cap, w, h - 16 * h / 44},
             {left + 5, top + h - foot, w - 10, foot}}};
}

void addPupils(const CellTarget& target, RgbColor socket, const CatAnimationFrame& frame,
               const PupilAnchors& anchors, double drop) {
    if (frame.crossEyed) {
        // Turned toward the nose whatever the gaze.
        static constexpr std::array<CellRect, 3> left{
            {{235, 156, 16, 7}, {232, 163, 22, 28}, {237, 191, 12, 9}}};
        static constexpr std::array<CellRect, 3> right{
            {{327, 156, 16, 7}, {324, 163, 22, 28}, {329, 191, 12, 9}}};
        for (const auto* rows : {&left, &right}) {
            for (const CellRect& row : *rows) {
                target.add(socket, {row.x, row.y + drop, row.width, row.height});
            }
        }
        return;
    }
    const double d = frame.headPitchDown;
    const double w = anchors.centred ? 22 + 8 * d : 22;
    const double h = 44 - 20 * d;
    const double top = anchors.eyeY + drop + 20 * d;
    for (const double anchorX : {anchors.leftX, anchors.rightX}) {
        for (const CellRect& row : pupilRows(anchorX, top, w, h)) {
            target.add(socket, row);
        }
    }
}

} // namespace

RgbColor CatEyeLayer::eyeColor(CatEyeColorPreset preset) {
    static constexpr std::array<RgbColor, 5> colors{{{0.28, 0.2, 0.12},
                                                     {0.71, 1.0, 0.72},
                                                     {0.72, 0.84, 1.0},
                                                     {0.94, 0.97, 0.83},
                                                     {0.84, 0.72, 1.0}}};
    return colors[static_cast<std::size_t>(preset)];
}

PupilAnchors CatEyeLayer::pupilAnchors(double gazeX, double gazeY) {
    const double x = numberOrZero(gazeX);
    const double y = std::clamp(numberOrZero(gazeY), -1.0, 1.0);
    const bool centred = std::abs(y) > 0.6 && std::abs(x) < 0.35;
    double dy = 6 * y;
    if (centred) {
        dy = y >= 0 ? 12 * y : 8 * y;
    }
    PupilAnchors anchors{232, 368, 154 + dy, centred};
    if (centred) {
        anchors.leftX = 210;
        anchors.rightX = 346;
    } else if (x < -0.05) {
        anchors.leftX = 188;
        anchors.rightX = 324;
    }
    return anchors;
}

void CatEyeLayer::drawEyes(const CatAnimationFrame& frame, const PurloFurPalette& palette,
                           double facing, CatPose pose, Size gaze, CatEyeColorPreset preset,
                           const CellTarget& target) {
    const double d = frame.headPitchDown;
    const double drop = 14 * d;
    const double squint = frame.crossEyed ? 0 : 10 * d;
    const RgbColor color = eyeColor(preset);

    addBothEyes(target, palette.socket, socketRows(140 + drop, squint), 1);

    if (frame.blink || pose == CatPose::sleep) {
        target.add(color, {214, 170 + drop, 40, 7}, 0.9);
        target.add(color, {332, 170 + drop, 40, 7}, 0.9);
        return;
    }

    addBothEyes(target, color, irisRows(146 + drop, squint), 0.98);
    const PupilAnchors anchors = pupilAnchors(facing * gaze.width, gaze.height);
    addPupils(target, palette.socket, frame, anchors, drop);
}

} // namespace purlo
