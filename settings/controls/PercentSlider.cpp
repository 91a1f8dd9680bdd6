#include "settings/controls/PercentSlider.h"

#include "ui/FocusRing.h"
#include "ui/KitFont.h"
#include "ui/PurloText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

namespace purlo {
namespace {

// The slider as assistive technology sees it: a slider whose value is the percentage
// shown beside it, between the percentages of its ends, in number and in words. The
// slider's own steps (0 to 9 for 75 % to 120 %) mean nothing to a listener.
class PercentSliderAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    PercentSliderAccessible(QSlider& slider, const PercentSlider& owner)
        : QAccessibleWidget(&slider, QAccessible::Slider)
        , slider_(slider)
        , owner_(owner) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? owner_.accessibleValue()
                                          : QAccessibleWidget::text(kind);
    }

    void* interface_cast(QAccessible::InterfaceType kind) override {
        if (kind == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(kind);
    }

    QVariant currentValue() const override { return static_cast<int>(owner_.shownPercent()); }
    void setCurrentValue(const QVariant& value) override {
        slider_.setValue(owner_.stepNearest(value.toDouble() / 100.0));
    }
    QVariant maximumValue() const override { return owner_.steps().highestPercent; }
    QVariant minimumValue() const override { return owner_.steps().lowestPercent; }
    QVariant minimumStepSize() const override { return owner_.steps().percentPerStep; }

private:
    QSlider& slider_;
    const PercentSlider& owner_;
};

// The rounding of the ring that shows the slider has the keyboard's focus.
constexpr double focusCornerRadius = 6;

// The wheel scrolls the page rather than moving the slider under a passing pointer. The
// style's own slider shows no focus: the kit's ring goes round it.
class WheelPassingSlider final : public QSlider {
public:
    explicit WheelPassingSlider(QWidget* parent)
        : QSlider(Qt::Horizontal, parent) {
        showFocusAround(*this, *this, focusCornerRadius);
    }

protected:
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

QAccessibleInterface* percentSliderAccessible(const QString&, QObject* object) {
    auto* slider = qobject_cast<QSlider*>(object);
    const auto* owner =
        slider != nullptr ? qobject_cast<PercentSlider*>(slider->parent()) : nullptr;
    return owner != nullptr ? new PercentSliderAccessible(*slider, *owner) : nullptr;
}

} // namespace

PercentSlider::PercentSlider(Binding<double> value, Steps steps, const QString& accessibleName,
                             QString spokenValue, QWidget* parent)
    : QWidget(parent)
    , value_(std::move(value))
    , steps_(steps)
    , spokenValue_(std::move(spokenValue))
    // Made inside its owner at once: assistive technology may ask about it from here on.
    , slider_(new WheelPassingSlider(this))
    , percent_(new PurloText({}, kitFont(13, QFont::Normal, true), PurloTheme::primaryText)) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&percentSliderAccessible);
        return true;
    }();
    static_cast<void>(accessibleInstalled);

    slider_->setRange(0, (steps_.highestPercent - steps_.lowestPercent) / steps_.percentPerStep);
    slider_->setSingleStep(1);
    slider_->setPageStep(1);
    slider_->setFixedWidth(sliderWidth);
    slider_->setAccessibleName(accessibleName);
    percent_->setFixedWidth(percentWidth);
    percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(slider_, &QSlider::valueChanged, this, [this](int step) {
        value_.set(valueAtStep(step));
        refresh();
    });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(percentSpacing);
    row->addWidget(slider_);
    row->addWidget(percent_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    refresh();
}

// Showing the stored value moves the slider without storing anything.
void PercentSlider::refresh() {
    const QSignalBlocker quiet(slider_);
    slider_->setValue(stepNearest(value_()));
    percent_->setText(percentText());
}

long PercentSlider::shownPercent() const {
    return percent(value_());
}

QString PercentSlider::percentText() const {
    return QStringLiteral("%1%").arg(shownPercent());
}

QString PercentSlider::accessibleValue() const {
    return spokenValue_.arg(shownPercent());
}

long PercentSlider::percent(double value) const {
    if (value <= steps_.lowestPercent / 100.0) {
        return steps_.lowestPercent;
    }
    return std::lround(std::min(value * 100.0, static_cast<double>(steps_.highestPercent)));
}

// Whole percentages give the steps' values exactly: 0.73, not 0.1 + 63 × 0.01.
double PercentSlider::valueAtStep(int step) const {
    return (steps_.lowestPercent + steps_.percentPerStep * step) / 100.0;
}

int PercentSlider::stepNearest(double value) const {
    const double step = std::round((value * 100.0 - steps_.lowestPercent) / steps_.percentPerStep);
    if (!(step > 0)) {
        return 0;
    }
    return static_cast<int>(std::min(step, static_cast<double>(slider_->maximum())));
}

} // namespace purlo
