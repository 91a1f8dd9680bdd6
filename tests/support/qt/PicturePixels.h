#pragma once

#include <QBackingStore>
#include <QImage>
#include <QPointF>
#include <QWidget>

namespace purlo::testing {

// The pixel under the middle of a point of a picture: on a dense screen a point covers
// several pixels, and those at its edges may be shared with the next point.
inline QRgb pixelAt(const QImage& picture, QPoint point) {
    const QPointF middle = (QPointF(point) + QPointF(0.5, 0.5)) * picture.devicePixelRatio();
    return picture.pixel(static_cast<int>(middle.x()), static_cast<int>(middle.y()));
}

// What a window holds for the screen as last painted, in device pixels and at its density.
// The offscreen platform's grab of a window cuts it to the window's size in points, so on
// a dense screen it would keep only a corner; the window's backing store holds it whole.
inline QImage windowPixels(QWidget& window) {
    const auto* pixels = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
    return pixels != nullptr ? pixels->convertToFormat(QImage::Format_ARGB32_Premultiplied)
                             : QImage();
}

} // namespace purlo::testing
