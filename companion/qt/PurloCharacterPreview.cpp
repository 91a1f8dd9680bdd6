#include "companion/qt/PurloCharacterPreview.h"

#include "companion/qt/SurfaceAppearance.h"
#include "model/CatProfile.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace purlo {
namespace {

CatLook lookOf(const PurloSettings& settings) {
    return {settings.skin, settings.pattern, settings.eyeColor, settings.accessory};
}

// The size she is drawn at; a scale that is no number at all draws her at her own size.
double drawnScale(double companionScale) {
    return std::isfinite(companionScale) ? CatProfile::clampedScale(companionScale) : 1.0;
}

} // namespace

PurloCharacterPreview::PurloCharacterPreview(const PurloSettings& settings, bool followsPointer,
                                             CatPose pose, double catHeight, Size gaze,
                                             QWidget* parent)
    : QWidget(parent)
    , settings_(settings)
    , followsPointer_(followsPointer)
    , pose_(pose)
    , catHeight_(catHeight)
    , gaze_(gaze)
    , catView_(new PixelCatView(scene(pose, gaze), settings.skin, settings.pattern,
                                settings.eyeColor, settings.accessory, this)) {
    // One element for assistive technology, and one target for the pointer: the cat
    // inside is only a picture.
    catView_->setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(QString::fromStdString(accessibilityLabel(settings)));
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PurloCharacterPreview::setSettings(const PurloSettings& settings) {
    settings_ = settings;
    catView_->setLook(lookOf(settings));
    // Named again only when the look changes: every naming is announced to a screen reader
    // anew, and every write of the settings comes here.
    if (const QString name = QString::fromStdString(accessibilityLabel(settings));
        accessibleName() != name) {
        setAccessibleName(name);
    }
    placeCat();
}

void PurloCharacterPreview::setReduceMotion(bool reduceMotion) {
    catView_->setReduceMotion(reduceMotion);
}

void PurloCharacterPreview::setHeadroom(double points) {
    headroom_ = points;
    updateGeometry();
    update();
}

QRectF PurloCharacterPreview::band() const {
    return QRectF(rect()).adjusted(0, headroom_, 0, 0);
}

QRectF PurloCharacterPreview::catFrame() const {
    const double scale = drawnScale(settings_.companionScale);
    const double height = catHeight_ * scale;
    const double width = catHeight_ * widthPerHeight * scale;
    return {(this->width() - width) / 2, this->height() - bottomPadding - height, width, height};
}

Size PurloCharacterPreview::gazeToward(QPointF point, QSizeF size) {
    return {std::clamp((point.x() - size.width() / 2) / fullGazeDistanceX, -1.0, 1.0),
            std::clamp((point.y() - size.height() / 2) / fullGazeDistanceY, -1.0, 1.0)};
}

CompanionScene PurloCharacterPreview::scene(CatPose pose, Size gaze) {
    CompanionScene scene;
    scene.position = {96, 120};
    scene.mood = pose == CatPose::typing ? CatMood::typing : CatMood::idle;
    scene.pose = pose;
    scene.eyeOffset = gaze;
    return scene;
}

std::string PurloCharacterPreview::accessibilityLabel(const PurloSettings& settings) {
    return std::string(title(settings.skin)) + " Purlo, " + std::string(title(settings.eyeColor)) +
           " eyes, " + std::string(title(settings.accessory));
}

QSize PurloCharacterPreview::sizeHint() const {
    return {static_cast<int>(std::ceil(catHeight_ * widthPerHeight)) + 48,
            static_cast<int>(std::ceil(headroom_ + catHeight_ + 2 * bottomPadding))};
}

void PurloCharacterPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath backdrop;
    backdrop.addRoundedRect(band(), cornerRadius, cornerRadius);
    painter.fillPath(backdrop, themeQColor(PurloTheme::controlBackground, *this));
}

void PurloCharacterPreview::resizeEvent(QResizeEvent*) {
    placeCat();
}

void PurloCharacterPreview::enterEvent(QEnterEvent* event) {
    lookToward(event->position());
}

void PurloCharacterPreview::mouseMoveEvent(QMouseEvent* event) {
    lookToward(event->position());
}

void PurloCharacterPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        lookToward(event->position());
    }
}

// When the pointer leaves, nothing resets: she goes on looking where it was last.
void PurloCharacterPreview::lookToward(QPointF point) {
    if (!followsPointer_) {
        return;
    }
    const QRectF backdrop = band();
    gaze_ = gazeToward(point - backdrop.topLeft(), backdrop.size());
    catView_->setScene(scene(pose_, gaze_));
}

void PurloCharacterPreview::placeCat() {
    catView_->setGeometry(catFrame().toAlignedRect());
}

} // namespace purlo
