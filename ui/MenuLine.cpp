#include "ui/MenuLine.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace purlo {
namespace {

// The text broken into lines no wider than width, one under the other from the top.
void layOut(QTextLayout& layout, double width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
}

} // namespace

MenuLine::MenuLine(const QFont& font, const QColor& color, QWidget* parent, Overflow overflow)
    : QWidget(parent)
    , color_(color)
    , overflow_(overflow) {
    setFont(font);
    QSizePolicy policy(QSizePolicy::Expanding,
                       overflow_ == Overflow::wrap ? QSizePolicy::Preferred : QSizePolicy::Fixed);
    policy.setHeightForWidth(overflow_ == Overflow::wrap);
    setSizePolicy(policy);
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

bool MenuLine::hasHeightForWidth() const {
    return overflow_ == Overflow::wrap;
}

int MenuLine::heightForWidth(int width) const {
    if (overflow_ == Overflow::elide) {
        return sizeHint().height();
    }
    QTextLayout layout(text_, font());
    layOut(layout, width);
    const int lines = static_cast<int>(std::ceil(layout.boundingRect().height()));
    return std::max(lines, sizeHint().height());
}

void MenuLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(color_);
    if (overflow_ == Overflow::wrap) {
        QTextLayout layout(text_, font());
        layOut(layout, width());
        const double top = (height() - layout.boundingRect().height()) / 2;
        layout.draw(&painter, QPointF(0, std::max(0.0, top)));
        return;
    }
    const QString shown = QFontMetricsF(font()).elidedText(text_, Qt::ElideRight, width());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

} // namespace purlo
