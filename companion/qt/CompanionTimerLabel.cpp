#include "companion/qt/CompanionTimerLabel.h"

#include "companion/CompanionViewLayout.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace purlo {
namespace {

// A caption's size.
constexpr int captionPixelSize = 10;
constexpr double capsuleOpacity = 0.72;

QFont captionFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(captionPixelSize);
    font.setBold(true);
    return font;
}

} // namespace

CompanionTimerLabel::CompanionTimerLabel(QWidget* parent)
    : QWidget(parent)
    , font_(captionFont()) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void CompanionTimerLabel::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    drawing_.forget();
    updateGeometry();
    update();
}

QSize CompanionTimerLabel::sizeHint() const {
    const QFontMetricsF metrics(font_);
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text_) +
                                       2 * CompanionViewLayout::timerPaddingX)),
            static_cast<int>(std::ceil(metrics.height() + 2 * CompanionViewLayout::timerPaddingY))};
}

void CompanionTimerLabel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    paintOnto(painter, event->region());
}

void CompanionTimerLabel::paintOnto(QPainter& painter, const QRegion& region) {
    WidgetDrawing::layDown(painter, capsule(), region);
}

const QImage& CompanionTimerLabel::capsule() {
    return drawing_.of(*this, [this](QPainter& onto) { draw(onto); });
}

void CompanionTimerLabel::draw(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF capsule(rect());
    const double radius = capsule.height() / 2;
    QPainterPath path;
    path.addRoundedRect(capsule, radius, radius);
    QColor fill(Qt::black);
    fill.setAlphaF(static_cast<float>(capsuleOpacity));
    painter.fillPath(path, fill);
    painter.setFont(font_);
    painter.setPen(Qt::white);
    // Only a label wider than the whole panel is cut, in the middle, so that the phase
    // and the seconds stay in view.
    const double room = capsule.width() - 2 * CompanionViewLayout::timerPaddingX;
    painter.drawText(capsule, Qt::AlignCenter | Qt::TextSingleLine,
                     QFontMetricsF(font_).elidedText(text_, Qt::ElideMiddle, room));
}

} // namespace purlo
