#include "settings/CompanionSizeSlider.h"

#include "model/CatProfile.h"
#include "ui/KitFont.h"
#include "ui/PurloText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <cmath>
#include <utility>

namespace purlo {
namespace {

constexpr int smallestPercent = 75;
constexpr int percentPerStep = 5;

// The slider as assistive technology sees it: a slider whose value reads as the
// percentage it stands for.
class SizeSliderAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    SizeSliderAccessible(QSlider& slider, const CompanionSizeSlider& owner)
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

    QVariant currentValue() const override { return slider_.value(); }
    void setCurrentValue(const QVariant& value) override { slider_.setValue(value.toInt()); }
    QVariant maximumValue() const override { return slider_.maximum(); }
    QVariant minimumValue() const override { return slider_.minimum(); }
    QVariant minimumStepSize() const override { return slider_.singleStep(); }

private:
    QSlider& slider_;
    const CompanionSizeSlider& owner_;
};

// The wheel scrolls the page rather than resizing the cat under a passing pointer.
class WheelPassingSlider final : public QSlider {
public:
    explicit WheelPassingSlider(QWidget* parent)
        : QSlider(Qt::Horizontal, parent) {}

protected:
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

QAccessibleInterface* sizeSliderAccessible(const QString&, QObject* object) {
    auto* slider = qobject_cast<QSlider*>(object);
    const auto* owner =
        slider != nullptr ? qobject_cast<CompanionSizeSlider*>(slider->parent()) : nullptr;
    return owner != nullptr ? new SizeSliderAccessible(*slider, *owner) : nullptr;
}

} // namespace

CompanionSizeSlider::CompanionSizeSlider(Binding<double> scale, QWidget* parent)
    : QWidget(parent)
    , scale_(std::move(scale))
    // Made inside its owner at once: assistive technology may ask about it from here on.
    , slider_(new WheelPassingSlider(this))
    , percent_(new PurloText({}, kitFont(13, QFont::Normal, true), PurloTheme::primaryText)) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&sizeSliderAccessible);
        return true;
    }();
    static_cast<void>(accessibleInstalled);

    slider_->setRange(0, lastStep);
    slider_->setSingleStep(1);
    slider_->setPageStep(1);
    slider_->setFixedWidth(sliderWidth);
    slider_->setAccessibleName(QStringLiteral("Purlo size"));
    percent_->setFixedWidth(percentWidth);
    percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(slider_, &QSlider::valueChanged, this, [this](int step) {
        scale_.set(scaleAtStep(step));
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

// Showing the stored scale moves the slider without storing anything.
void CompanionSizeSlider::refresh() {
    const QSignalBlocker quiet(slider_);
    slider_->setValue(stepNearest(scale_()));
    percent_->setText(percentText());
}

QString CompanionSizeSlider::percentText() const {
    return QStringLiteral("%1%").arg(CatProfile::scalePercent(scale_()));
}

QString CompanionSizeSlider::accessibleValue() const {
    return QStringLiteral("%1 percent").arg(CatProfile::scalePercent(scale_()));
}

// Whole percentages give the steps' scales exactly: 1.2, not 0.75 + 9 × 0.05.
double CompanionSizeSlider::scaleAtStep(int step) {
    return (smallestPercent + percentPerStep * step) / 100.0;
}

int CompanionSizeSlider::stepNearest(double scale) {
    const double step = std::round((scale * 100.0 - smallestPercent) / percentPerStep);
    if (!(step > 0)) {
        return 0;
    }
    return step < lastStep ? static_cast<int>(step) : lastStep;
}

} // namespace purlo
