#include "settings/controls/ColorDot.h"

#include "companion/qt/ThemeQColor.h"

#include <QPainter>

namespace purlo {

ColorDot::ColorDot(int diameter, const ThemeColor& ring, QWidget* parent)
    : QWidget(parent)
    , ring_(ring) {
    setFixedSize(diameter, diameter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ColorDot::setFill(const RgbColor& fill) {
    if (fill == fill_) {
        return;
    }
    fill_ = fill;
    update();
}

void ColorDot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF circle(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(themeQColor(ThemeColor{fill_}));
    painter.drawEllipse(circle);
    painter.setPen(QPen(themeQColor(ring_), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(circle.adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace purlo
