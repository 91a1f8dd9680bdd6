#include "ui/PurloSymbol.h"

#include "companion/qt/SurfaceAppearance.h"
#include "ui/PurloIcon.h"

#include <QPainter>
#include <utility>

namespace purlo {

PurloSymbol::PurloSymbol(std::string symbol, QSizeF iconSize, const AppearanceColor& color,
                         QSize frame, QWidget* parent)
    : QWidget(parent)
    , symbol_(std::move(symbol))
    , iconSize_(iconSize)
    , color_(color)
    , frame_(frame) {
    setFixedSize(frame);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PurloSymbol::setRotation(double degrees) {
    rotation_ = degrees;
    update();
}

void PurloSymbol::paintEvent(QPaintEvent*) {
    const QPixmap icon =
        purloIcon(symbol_, iconSize_, themeQColor(color_, *this), devicePixelRatioF());
    if (icon.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(QRectF(rect()).center());
    painter.rotate(rotation_);
    painter.drawPixmap(QRectF(QPointF(-iconSize_.width() / 2, -iconSize_.height() / 2), iconSize_),
                       icon, QRectF(icon.rect()));
}

} // namespace purlo
