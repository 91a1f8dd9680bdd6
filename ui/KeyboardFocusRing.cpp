#include "ui/KeyboardFocusRing.h"

#include "companion/qt/SurfaceAppearance.h"

#include <QPainter>
#include <QPainterPath>

namespace purlo {

void KeyboardFocusRing::paint(QPainter& painter, const QRectF& outline, double radius,
                              const QWidget& widget) {
    constexpr double half = width / 2;
    QPainterPath ring;
    ring.addRoundedRect(outline.adjusted(half, half, -half, -half), radius - half, radius - half);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(themeQColor(PurloTheme::accent, widget), width));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(ring);
    painter.restore();
}

} // namespace purlo
