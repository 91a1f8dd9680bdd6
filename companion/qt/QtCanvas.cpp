#include "companion/qt/QtCanvas.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace purlo {

QtCanvas::QtCanvas(QPainter& painter)
    : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
}

void QtCanvas::fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) {
    // One path with the winding rule: the union is covered once, so overlapping
    // cells of a run neither seam nor darken.
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const CanvasRect& rect : rects) {
        path.addRect(rect.x, rect.y, rect.width, rect.height);
    }
    painter_.fillPath(
        path, QColor::fromRgbF(static_cast<float>(color.red), static_cast<float>(color.green),
                               static_cast<float>(color.blue), static_cast<float>(opacity)));
}

void QtCanvas::save() {
    painter_.save();
}

void QtCanvas::restore() {
    painter_.restore();
}

void QtCanvas::translate(double dx, double dy) {
    painter_.translate(dx, dy);
}

void QtCanvas::rotate(double degrees) {
    painter_.rotate(degrees);
}

void QtCanvas::scale(double sx, double sy) {
    painter_.scale(sx, sy);
}

} // namespace purlo
