#include "ui/PurloLink.h"

#include "companion/PurloTheme.h"
#include "companion/qt/SurfaceAppearance.h"
#include "ui/KitFont.h"

#include <QPainter>
#include <cmath>

namespace purlo {

PurloLink::PurloLink(const QString& title, double points, QWidget* parent)
    : RunsOnReturn(parent) {
    setText(title);
    setFont(kitFont(points));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize PurloLink::sizeHint() const {
    const QFontMetricsF metrics(font());
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text()))),
            static_cast<int>(std::ceil(metrics.height()))};
}

void PurloLink::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont face = font();
    face.setUnderline(underMouse() || hasFocus());
    painter.setFont(face);
    painter.setPen(themeQColor(PurloTheme::accent, *this));
    painter.setOpacity(isDown() ? 0.7 : 1.0);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

void PurloLink::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    update();
}

void PurloLink::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    update();
}

} // namespace purlo
