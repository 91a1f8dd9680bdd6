#include "ui/PurloDivider.h"

#include "companion/qt/SurfaceAppearance.h"

#include <QPainter>

namespace purlo {

PurloDivider::PurloDivider(const QColor& color, QWidget* parent)
    : QWidget(parent)
    , color_(color) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

PurloDivider::PurloDivider(const AppearanceColor& color, QWidget* parent)
    : PurloDivider(QColor(), parent) {
    themeColor_ = color;
}

void PurloDivider::setColor(const QColor& color) {
    themeColor_.reset();
    color_ = color;
    update();
}

// A theme colour is resolved on each use, for the appearance the window shows then.
QColor PurloDivider::color() const {
    return themeColor_ ? themeQColor(*themeColor_, *this) : color_;
}

void PurloDivider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color());
}

} // namespace purlo
