#pragma once

#include "companion/RasterCanvas.h"
#include "companion/ReferencePurloCatView.h"
#include "companion/qt/CatFramePainter.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace purlo::testing {

// The cat's grid drawn one pixel per unit, so a grid cell centre is a pixel.
inline const QSize gridSize{471, 558};

inline QImage blankImage(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The image's pixels for a software canvas; the image must be premultiplied ARGB32.
inline PixelBuffer pixelsOf(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
            static_cast<int>(image.bytesPerLine() / 4)};
}

// The whole frame of one instant, as the cat view paints it.
inline QImage renderCat(const CompanionScene& scene, const CatLook& look, double time) {
    QImage image = blankImage(gridSize);
    QPainter painter(&image);
    CatFramePainter().paint(painter, QSizeF(gridSize), scene, look, time);
    return image;
}

// A scene holding still: the stare pose has no motion of its own.
inline CompanionScene stillScene(CatPose pose = CatPose::stare, CatMood mood = CatMood::idle,
                                 Size gaze = {}, double yawn = 0) {
    CompanionScene scene;
    scene.pose = pose;
    scene.mood = mood;
    scene.eyeOffset = gaze;
    scene.yawnProgress = yawn;
    return scene;
}

// top laid over under at the given opacity.
inline RgbColor over(RgbColor top, RgbColor under, double opacity) {
    return {top.red * opacity + under.red * (1 - opacity),
            top.green * opacity + under.green * (1 - opacity),
            top.blue * opacity + under.blue * (1 - opacity)};
}

// The opaque pixel covering the point (x, y) matches the colour within two 8-bit steps;
// on a picture of a dense screen the point covers several pixels, and the first is taken.
inline ::testing::AssertionResult pixelIs(const QImage& image, double x, double y,
                                          RgbColor expected) {
    const double density = image.devicePixelRatio();
    const QColor found = image.pixelColor(static_cast<int>(std::floor(x * density)),
                                          static_cast<int>(std::floor(y * density)));
    const auto near = [](int channel, double wanted) {
        return std::abs(channel - std::lround(wanted * 255)) <= 2;
    };
    if (near(found.red(), expected.red) && near(found.green(), expected.green) &&
        near(found.blue(), expected.blue) && found.alpha() == 255) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "at (" << x << ", " << y << ") found " << found.name(QColor::HexArgb).toStdString()
           << ", expected rgb(" << expected.red * 255 << ", " << expected.green * 255 << ", "
           << expected.blue * 255 << ")";
}

} // namespace purlo::testing
