#pragma once

#include "ui/Binding.h"

#include <QAbstractButton>
#include <QVariantAnimation>

namespace purlo {

// A small switch. Its label is not shown: it names the switch for assistive
// technology. Every flip is stored through the binding at once; the switch then shows
// what the binding holds. Round its track it keeps room for the keyboard's focus ring.
class PurloToggle final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr QSize trackSize{32, 18};
    static constexpr int knobAnimationMilliseconds = 150;

    PurloToggle(Binding<bool> isOn, const QString& accessibilityLabel, QWidget* parent = nullptr);

    // Reads the bound value again after it changed elsewhere.
    void refresh();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;
    void showEvent(QShowEvent* event) override;

private:
    void showValue(bool on, bool animated);

    Binding<bool> isOn_;
    // 0 off, 1 on; slides between the two when the switch is flipped.
    double knobPosition_ = 0;
    QVariantAnimation knobSlide_;
};

} // namespace purlo
