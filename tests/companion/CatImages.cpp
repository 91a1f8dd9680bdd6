#include "tests/companion/CatImages.h"

#include "companion/RasterCanvas.h"
#include "companion/ReferencePurloCatView.h"
#include "companion/qt/CatFramePainter.h"

#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace purlo::testing {

QImage blankImage(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage renderCat(const CompanionScene& scene, const CatLook& look, double time, QSize size) {
    QImage image = blankImage(size);
    QPainter painter(&image);
    CatFramePainter().paint(painter, QSizeF(size), scene, look, time);
    return image;
}

PixelBuffer pixelsOf(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
            static_cast<int>(image.bytesPerLine() / 4)};
}

QImage renderFrame(const CatAnimationFrame& frame, double facing, const CompanionScene& scene,
                   const CatLook& look, QSize size) {
    QImage image = blankImage(size);
    RasterCanvas canvas(pixelsOf(image));
    ReferencePurloCatView::drawCat(canvas, size.width(), size.height(), frame, facing, scene, look);
    return image;
}

CompanionScene stillScene(CatPose pose, CatMood mood, Size gaze) {
    CompanionScene scene;
    scene.pose = pose;
    scene.mood = mood;
    scene.eyeOffset = gaze;
    return scene;
}

RgbColor over(RgbColor top, RgbColor under, double opacity) {
    const auto mix = [opacity](double a, double b) {
        return a * opacity + b * (1 - opacity);
    };
    return {mix(top.red, under.red), mix(top.green, under.green), mix(top.blue, under.blue)};
}

::testing::AssertionResult pixelIs(const QImage& image, double x, double y, RgbColor expected,
                                   int tolerance) {
    const QColor actual =
        image.pixelColor(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    const int red = static_cast<int>(std::lround(expected.red * 255));
    const int green = static_cast<int>(std::lround(expected.green * 255));
    const int blue = static_cast<int>(std::lround(expected.blue * 255));
    const bool near = std::abs(actual.red() - red) <= tolerance &&
                      std::abs(actual.green() - green) <= tolerance &&
                      std::abs(actual.blue() - blue) <= tolerance && actual.alpha() == 255;
    if (near) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "at (" << x << ", " << y << ") found rgba(" << actual.red() << ", " << actual.green()
           << ", " << actual.blue() << ", " << actual.alpha() << "), expected rgb(" << red << ", "
           << green << ", " << blue << ")";
}

} // namespace purlo::testing
