#include "companion/qt/WidgetDrawing.h"

#include <QPainter>
#include <QRegion>
#include <QWidget>
#include <cmath>

namespace purlo {

const QImage& WidgetDrawing::of(const QWidget& widget, const std::function<void(QPainter&)>& draw) {
    const double density = widget.devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::ceil(widget.width() * density)),
                       static_cast<int>(std::ceil(widget.height() * density)));
    if (image_.size() == pixels && image_.devicePixelRatio() == density) {
        return image_;
    }
    image_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(density);
    image_.fill(Qt::transparent);
    QPainter painter(&image_);
    draw(painter);
    return image_;
}

// The clip is set in the widget's own space, before the placement.
void WidgetDrawing::layDown(QPainter& painter, const QImage& image, const QRegion& region,
                            const QTransform& placement) {
    const QTransform widget = painter.transform();
    for (const QRect& rect : region) {
        painter.setTransform(widget);
        painter.setClipRect(rect);
        painter.setTransform(placement * widget);
        painter.drawImage(QPointF(0, 0), image);
    }
    painter.setTransform(widget);
}

} // namespace purlo
