#include "ui/PurloCard.h"

#include "companion/PurloTheme.h"
#include "companion/qt/SurfaceAppearance.h"

#include <QPainter>
#include <QPainterPath>

namespace purlo {

PurloCard::PurloCard(double cornerRadius, QWidget* parent)
    : QWidget(parent)
    , cornerRadius_(cornerRadius)
    , content_(new QVBoxLayout(this)) {
    content_->setContentsMargins(0, 0, 0, 0);
    content_->setSpacing(0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void PurloCard::addWidget(QWidget* row) {
    content_->addWidget(row);
}

void PurloCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath face;
    face.addRoundedRect(QRectF(rect()), cornerRadius_, cornerRadius_);
    painter.fillPath(face, themeQColor(PurloTheme::cardBackground, *this));
    // The outline lies wholly inside the card's edge.
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius_ - 0.5,
                           cornerRadius_ - 0.5);
    painter.setPen(QPen(themeQColor(PurloTheme::border, *this), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
}

} // namespace purlo
