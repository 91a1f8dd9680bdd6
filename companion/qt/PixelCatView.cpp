#include "companion/qt/PixelCatView.h"

#include "companion/CatFrameClock.h"
#include "companion/qt/CatFramePainter.h"
#include "companion/qt/WidgetDrawing.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

namespace purlo {

PixelCatView::PixelCatView(const CompanionScene& scene, CatSkinPreset skin,
                           CatPatternPreset pattern, CatEyeColorPreset eyeColor,
                           CatAccessoryPreset accessory, QWidget* parent)
    : QWidget(parent)
    , scene_(scene)
    , look_{skin, pattern, eyeColor, accessory} {
    // Lined up on round boundaries like the runtime's tick, so that slow frames (a nap's)
    // share its wake-ups; each frame is drawn at the clock's own time, so the few
    // milliseconds it may move do not show.
    frameTimer_.setTimerType(Qt::CoarseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, &PixelCatView::advanceFrame);
}

void PixelCatView::setScene(const CompanionScene& scene) {
    if (scene == scene_) {
        return;
    }
    scene_ = scene;
    updateFrameClock(isVisible());
    frameChanged();
}

void PixelCatView::setLook(const CatLook& look) {
    if (look == look_) {
        return;
    }
    look_ = look;
    frameChanged();
}

void PixelCatView::setReduceMotion(bool reduceMotion) {
    if (reduceMotion == reduceMotion_) {
        return;
    }
    reduceMotion_ = reduceMotion;
    updateFrameClock(isVisible());
    frameChanged();
}

void PixelCatView::setFrame(QRectF frame, double scale) {
    if (frame_ == frame && frameScale_ == scale) {
        return;
    }
    frame_ = frame;
    frameScale_ = scale;
    frameChanged();
}

void PixelCatView::setClock(const Clock& clock) {
    clock_ = &clock;
    frameChanged();
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

// Painted at once rather than on a later turn of the loop: a frame changes the picture
// anyway, and the turn would cost the loop a wake of its own.
void PixelCatView::advanceFrame() {
    const ChangedArea changed = drawFrame();
    if (!frameOutlet_ || changed.points.isEmpty()) {
        repaint(changed.points);
        return;
    }
    const QRegion rest = frameOutlet_(frames_.current(), changed.pixels, changed.points);
    if (!rest.isEmpty()) {
        repaint(rest);
    }
}

void PixelCatView::frameChanged() {
    const bool scheduled = frameDue_;
    frameDue_ = true;
    if (!scheduled && isVisible()) {
        QTimer::singleShot(0, this, [this] {
            if (frameDue_) {
                advanceFrame();
            }
        });
    }
}

QSize PixelCatView::framePixels(double density) const {
    return {static_cast<int>(std::ceil(std::max(0, width()) * density)),
            static_cast<int>(std::ceil(std::max(0, height()) * density))};
}

PixelCatView::ChangedArea PixelCatView::drawFrame() {
    const double density = devicePixelRatioF();
    const QSize pixels = framePixels(density);
    const QRectF frame = frame_.value_or(QRectF(rect()));
    std::vector<PixelRect> changed =
        frames_.draw(pixels.width(), pixels.height(), [&](Canvas& canvas) {
            canvas.scale(density, density);
            CatFramePainter::draw(canvas, frame, frameScale_, scene_, look_, frameTime());
        });
    frameDue_ = false;
    if (density != framesDensity_) {
        framesDensity_ = density;
        return {QRegion(rect()), {PixelRect{0, 0, pixels.width(), pixels.height()}}};
    }
    QRegion region;
    for (const PixelRect& pixelRect : changed) {
        const int left = static_cast<int>(std::floor(pixelRect.x / density));
        const int top = static_cast<int>(std::floor(pixelRect.y / density));
        const int right = static_cast<int>(std::ceil(pixelRect.right() / density));
        const int bottom = static_cast<int>(std::ceil(pixelRect.bottom() / density));
        region += QRect(left, top, right - left, bottom - top);
    }
    return {region, std::move(changed)};
}

// Only the region asked for is laid down.
void PixelCatView::paintEvent(QPaintEvent* event) {
    const double density = devicePixelRatioF();
    const PixelBuffer pixels = frames_.current();
    if (!isVisible() || frameDue_ || density != framesDensity_ ||
        QSize(pixels.width, pixels.height) != framePixels(density)) {
        // What the new frame changed beyond this paint's region is shown by the next one.
        const QRegion beyond = drawFrame().points - event->region();
        if (!beyond.isEmpty()) {
            update(beyond);
        }
    }
    const PixelBuffer frame = frames_.current();
    if (frame.width == 0 || frame.height == 0) {
        return;
    }
    QImage image(reinterpret_cast<const uchar*>(frame.pixels), frame.width, frame.height,
                 static_cast<qsizetype>(frame.stride) * 4, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(framesDensity_);
    QPainter painter(this);
    if (clearGround_) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    WidgetDrawing::layDown(painter, image, event->region());
}

void PixelCatView::resizeEvent(QResizeEvent*) {
    frameChanged();
}

void PixelCatView::showEvent(QShowEvent*) {
    updateFrameClock(true);
    frameChanged();
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
