#include "ui/PurloToggle.h"

#include "companion/PurloTheme.h"
#include "companion/qt/SurfaceAppearance.h"
#include "ui/AccessibleClick.h"
#include "ui/FocusRing.h"

#include <QEasingCurve>
#include <QPainter>
#include <QPainterPath>
#include <utility>

namespace purlo {

PurloToggle::PurloToggle(Binding<bool> isOn, const QString& accessibilityLabel, QWidget* parent)
    : QAbstractButton(parent)
    , isOn_(std::move(isOn)) {
    clickOnAccessibleActions<PurloToggle>();
    setCheckable(true);
    setAccessibleName(accessibilityLabel);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    knobSlide_.setDuration(knobAnimationMilliseconds);
    knobSlide_.setEasingCurve(QEasingCurve::InOutQuad);
    connect(&knobSlide_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        knobPosition_ = value.toDouble();
        update();
    });
    showValue(isOn_(), false);
}

QSize PurloToggle::sizeHint() const {
    return trackSize + QSize(2 * focusRingRoom, 2 * focusRingRoom);
}

void PurloToggle::refresh() {
    showValue(isOn_(), isVisible());
}

// A flip stores the opposite of what is stored, then shows what the binding kept.
void PurloToggle::nextCheckState() {
    isOn_.set(!isOn_());
    showValue(isOn_(), true);
}

void PurloToggle::showEvent(QShowEvent*) {
    showValue(isOn_(), false);
}

void PurloToggle::showValue(bool on, bool animated) {
    setChecked(on);
    const double target = on ? 1.0 : 0.0;
    knobSlide_.stop();
    if (animated && knobPosition_ != target) {
        knobSlide_.setStartValue(knobPosition_);
        knobSlide_.setEndValue(target);
        knobSlide_.start();
        return;
    }
    knobPosition_ = target;
    update();
}

void PurloToggle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) {
        painter.setOpacity(0.45);
    }
    const QRectF track =
        QRectF(QPointF(0, 0), QSizeF(trackSize))
            .translated((width() - trackSize.width()) / 2.0, (height() - trackSize.height()) / 2.0);
    const double radius = track.height() / 2;
    const QColor off = themeQColor(PurloTheme::border, *this);
    const QColor on = themeQColor(PurloTheme::accent, *this);
    const auto mix = [this](float a, float b) {
        return static_cast<float>(a + (b - a) * knobPosition_);
    };
    const QColor trackColor = QColor::fromRgbF(
        mix(off.redF(), on.redF()), mix(off.greenF(), on.greenF()), mix(off.blueF(), on.blueF()));
    QPainterPath trackPath;
    trackPath.addRoundedRect(track, radius, radius);
    painter.fillPath(trackPath, trackColor);

    constexpr double inset = 2;
    const double knobDiameter = track.height() - 2 * inset;
    const double travel = track.width() - 2 * inset - knobDiameter;
    const QRectF knob(track.left() + inset + travel * knobPosition_, track.top() + inset,
                      knobDiameter, knobDiameter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(0, 0, 0, 0.12f));
    painter.drawEllipse(knob.translated(0, 0.5).adjusted(-0.5, -0.5, 0.5, 0.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(knob);

    if (hasFocus()) {
        paintFocusRing(painter, *this, track, radius);
    }
}

} // namespace purlo
