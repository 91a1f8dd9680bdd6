#include "ui/MenuLine.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace purlo {

MenuLine::MenuLine(const QFont& font, const QColor& color, QWidget* parent)
    : QWidget(parent)
    , color_(color) {
    setFont(font);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MenuLine::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

QSize MenuLine::sizeHint() const {
    const QFontMetricsF metrics(font());
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text_))),
            static_cast<int>(std::ceil(metrics.height()))};
}

QSize MenuLine::minimumSizeHint() const {
    return {0, sizeHint().height()};
}

void MenuLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(color_);
    const QString shown = QFontMetricsF(font()).elidedText(text_, Qt::ElideRight, width());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

} // namespace purlo
