#include "companion/qt/RasterLayer.h"

#include "companion/RasterCanvas.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace purlo {

void RasterLayer::paint(QPainter& painter, QSizeF size, const std::function<void(Canvas&)>& draw) {
    const double density = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1;
    const QSize pixels(static_cast<int>(std::ceil(std::max(0.0, size.width()) * density)),
                       static_cast<int>(std::ceil(std::max(0.0, size.height()) * density)));
    if (pixels.isEmpty()) {
        return;
    }
    if (image_.size() != pixels) {
        image_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    }
    image_.fill(Qt::transparent);
    image_.setDevicePixelRatio(density);

    RasterCanvas canvas(PixelBuffer{reinterpret_cast<std::uint32_t*>(image_.bits()), image_.width(),
                                    image_.height(), static_cast<int>(image_.bytesPerLine() / 4)});
    canvas.scale(density, density);
    draw(canvas);
    painter.drawImage(QPointF(0, 0), image_);
}

} // namespace purlo
