#include "companion/qt/CatFramePainter.h"

#include "companion/RasterCanvas.h"
#include "companion/ReferencePurloCatView.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>

namespace purlo {

void CatFramePainter::paint(QPainter& painter, QSizeF size, const CompanionScene& scene,
                            const CatLook& look, double time) {
    paint(painter, size, QRectF(QPointF(0, 0), size), 1, scene, look, time);
}

void CatFramePainter::paint(QPainter& painter, QSizeF size, QRectF frame, double scale,
                            const CompanionScene& scene, const CatLook& look, double time) {
    const double density = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1;
    const QSize pixels(static_cast<int>(std::ceil(std::max(0.0, size.width()) * density)),
                       static_cast<int>(std::ceil(std::max(0.0, size.height()) * density)));
    if (pixels.isEmpty()) {
        return;
    }
    if (layer_.size() != pixels) {
        layer_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    }
    layer_.fill(Qt::transparent);
    layer_.setDevicePixelRatio(density);

    RasterCanvas canvas(PixelBuffer{reinterpret_cast<std::uint32_t*>(layer_.bits()), layer_.width(),
                                    layer_.height(), static_cast<int>(layer_.bytesPerLine() / 4)});
    canvas.scale(density, density);
    canvas.translate(frame.center().x(), frame.center().y());
    canvas.scale(scale, scale);
    canvas.translate(-frame.width() / 2, -frame.height() / 2);
    const ReferencePurloCatView view{scene, look, time};
    view.draw(canvas, frame.width(), frame.height());

    painter.drawImage(QPointF(0, 0), layer_);
}

} // namespace purlo
