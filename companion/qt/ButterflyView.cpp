#include "companion/qt/ButterflyView.h"

#include "companion/ButterflyFrameView.h"

#include <QPainter>

namespace purlo {
namespace {

constexpr int frameMilliseconds = 1000 / 12;

} // namespace

ButterflyView::ButterflyView(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    frameTimer_.setInterval(frameMilliseconds);
    connect(&frameTimer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void ButterflyView::setClock(const Clock& clock) {
    clock_ = &clock;
    update();
}

double ButterflyView::flap() const {
    return ButterflyFrameView::flapAt(clock_->now().secondsSinceReferenceDate);
}

QSize ButterflyView::sizeHint() const {
    const int side = static_cast<int>(ButterflyFrameView::canvasSize);
    return {side, side};
}

void ButterflyView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ButterflyFrameView frame{flap()};
    const double width = this->width();
    layer_.paint(painter, size(), [&](Canvas& canvas) { frame.draw(canvas, width); });
}

void ButterflyView::showEvent(QShowEvent*) {
    frameTimer_.start();
}

void ButterflyView::hideEvent(QHideEvent*) {
    frameTimer_.stop();
}

} // namespace purlo
