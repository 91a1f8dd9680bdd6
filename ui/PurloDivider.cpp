#include "ui/PurloDivider.h"

#include <QPainter>

namespace purlo {

PurloDivider::PurloDivider(const QColor& color, QWidget* parent)
    : QWidget(parent)
    , color_(color) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PurloDivider::setColor(const QColor& color) {
    color_ = color;
    update();
}

void PurloDivider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color_);
}

} // namespace purlo
