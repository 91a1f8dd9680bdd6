#include "companion/qt/PixelCatView.h"

#include "companion/CatFrameClock.h"

#include <QPainter>
#include <cmath>

namespace purlo {

PixelCatView::PixelCatView(const CompanionScene& scene, CatSkinPreset skin,
                           CatPatternPreset pattern, CatEyeColorPreset eyeColor,
                           CatAccessoryPreset accessory, QWidget* parent)
    : QWidget(parent)
    , scene_(scene)
    , look_{skin, pattern, eyeColor, accessory} {
    frameTimer_.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void PixelCatView::setScene(const CompanionScene& scene) {
    if (scene == scene_) {
        return;
    }
    scene_ = scene;
    updateFrameClock(isVisible());
    update();
}

void PixelCatView::setLook(const CatLook& look) {
    if (look == look_) {
        return;
    }
    look_ = look;
    update();
}

void PixelCatView::setReduceMotion(bool reduceMotion) {
    if (reduceMotion == reduceMotion_) {
        return;
    }
    reduceMotion_ = reduceMotion;
    updateFrameClock(isVisible());
    update();
}

void PixelCatView::setFrame(QRectF frame, double scale) {
    if (frame_ == frame && frameScale_ == scale) {
        return;
    }
    frame_ = frame;
    frameScale_ = scale;
    update();
}

void PixelCatView::setClock(const Clock& clock) {
    clock_ = &clock;
    update();
}

std::optional<double> PixelCatView::frameInterval() const {
    if (!frameTimer_.isActive()) {
        return std::nullopt;
    }
    return CatFrameClock::interval(scene_.mood);
}

double PixelCatView::frameTime() const {
    return reduceMotion_ ? 0 : clock_->now().secondsSinceReferenceDate;
}

QSize PixelCatView::sizeHint() const {
    return {128, 128};
}

void PixelCatView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    framePainter_.paint(painter, size(), frame_.value_or(QRectF(rect())), frameScale_, scene_,
                        look_, frameTime());
}

void PixelCatView::showEvent(QShowEvent*) {
    updateFrameClock(true);
}

void PixelCatView::hideEvent(QHideEvent*) {
    updateFrameClock(false);
}

// The clock runs only while someone can see her move.
void PixelCatView::updateFrameClock(bool shown) {
    if (reduceMotion_ || !shown) {
        frameTimer_.stop();
        return;
    }
    const int milliseconds =
        static_cast<int>(std::lround(CatFrameClock::interval(scene_.mood) * 1000));
    if (!frameTimer_.isActive() || frameTimer_.interval() != milliseconds) {
        frameTimer_.start(milliseconds);
    }
}

} // namespace purlo
