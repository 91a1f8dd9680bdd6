#include "settings/controls/ElidedText.h"

#include <QPainter>
#include <cmath>

namespace purlo {

QString ElidedText::shownText() const {
    return QFontMetricsF(font()).elidedText(text(), Qt::ElideRight, contentsRect().width());
}

QSize ElidedText::minimumSizeHint() const {
    const int ellipsis =
        static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(QStringLiteral("…"))));
    return {ellipsis, sizeHint().height()};
}

void ElidedText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     shownText());
}

} // namespace purlo
