#include "tests/companion/QPainterCanvas.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace purlo::testing {

QPainterCanvas::QPainterCanvas(QPainter& painter)
    : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
}

void QPainterCanvas::fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) {
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

void QPainterCanvas::save() {
    painter_.save();
}

void QPainterCanvas::restore() {
    painter_.restore();
}

void QPainterCanvas::translate(double dx, double dy) {
    painter_.translate(dx, dy);
}

void QPainterCanvas::rotate(double degrees) {
    painter_.rotate(degrees);
}

void QPainterCanvas::scale(double sx, double sy) {
    painter_.scale(sx, sy);
}

} // namespace purlo::testing
