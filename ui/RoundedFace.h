#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace purlo {

// A rounded shape filled and outlined the way the kit draws its boxes: the outline lies
// wholly inside the shape's edge, so the shape keeps its size however thick it is.
void paintRoundedFace(QPainter& painter, const QRectF& rect, double radius, const QColor& fill,
                      const QColor& outline, double outlineWidth = 1);

} // namespace purlo
