#pragma once

#include "companion/CatAnimationFrame.h"
#include "companion/CatLook.h"
#include "companion/RasterCanvas.h"
#include "model/CompanionScene.h"
#include "platform/RgbColor.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <gtest/gtest.h>

namespace purlo::testing {

// The cat's grid drawn one pixel per unit, so a grid cell centre is a pixel.
inline const QSize gridSize{471, 558};

QImage blankImage(QSize size);

// The image's pixels for a software canvas; the image must be premultiplied ARGB32.
PixelBuffer pixelsOf(QImage& image);

// The whole frame of one instant, as the cat view paints it.
QImage renderCat(const CompanionScene& scene, const CatLook& look, double time,
                 QSize size = gridSize);

// The cat alone for a frame made by hand (no mirroring, no body transform).
QImage renderFrame(const CatAnimationFrame& frame, double facing, const CompanionScene& scene,
                   const CatLook& look, QSize size = gridSize);

// A scene holding still: the stare pose has no motion of its own.
CompanionScene stillScene(CatPose pose = CatPose::stare, CatMood mood = CatMood::idle,
                          Size gaze = {});

// top laid over under at the given opacity.
RgbColor over(RgbColor top, RgbColor under, double opacity);

// The pixel covering the grid point (x, y) of a gridSize image matches the colour
// within a tolerance of a few 8-bit steps, and is opaque.
::testing::AssertionResult pixelIs(const QImage& image, double x, double y, RgbColor expected,
                                   int tolerance = 2);

} // namespace purlo::testing
