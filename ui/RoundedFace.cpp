#include "ui/RoundedFace.h"

#include <QPainter>
#include <QPainterPath>

namespace purlo {

void paintRoundedFace(QPainter& painter, const QRectF& rect, double radius, const QColor& fill,
                      const QColor& outline, double outlineWidth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath face;
    face.addRoundedRect(rect, radius, radius);
    painter.fillPath(face, fill);
    const double inset = outlineWidth / 2;
    QPainterPath edge;
    edge.addRoundedRect(rect.adjusted(inset, inset, -inset, -inset), radius - inset,
                        radius - inset);
    painter.setPen(QPen(outline, outlineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(edge);
    painter.restore();
}

} // namespace purlo
