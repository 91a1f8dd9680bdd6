#pragma once

#include "ui/Binding.h"

#include <QSlider>
#include <QWidget>

namespace purlo {

class PurloText;

// The companion's size: a slider from 75 % to 120 % in steps of 5 %, and the whole
// percentage beside it. The slider stands at the step nearest the stored scale while
// the percentage tells the stored scale itself, however far outside the range it lies;
// only moving the slider stores a scale, always one of its steps. Assistive technology
// hears the percentage, as "100 percent".
class CompanionSizeSlider final : public QWidget {
    Q_OBJECT

public:
    static constexpr int sliderWidth = 170;
    static constexpr int percentWidth = 44;
    static constexpr int percentSpacing = 12;
    // 75 % ... 120 %, 5 % apart.
    static constexpr int lastStep = 9;

    explicit CompanionSizeSlider(Binding<double> scale, QWidget* parent = nullptr);

    // Reads the bound scale again after it changed elsewhere.
    void refresh();

    QSlider& slider() const { return *slider_; }
    // "100%"
    QString percentText() const;
    // "100 percent"
    QString accessibleValue() const;

    static double scaleAtStep(int step);
    static int stepNearest(double scale);

private:
    Binding<double> scale_;
    QSlider* slider_;
    PurloText* percent_;
};

} // namespace purlo
