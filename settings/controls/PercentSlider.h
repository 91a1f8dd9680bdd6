#pragma once

#include "ui/Binding.h"

#include <QSlider>
#include <QString>
#include <QWidget>

namespace purlo {

class PurloText;

// A stored fraction on a slider of whole-percent steps, with its whole percentage
// beside it. The slider stands at the step nearest the stored value while the
// percentage tells the stored value held to the slider's ends; only moving the slider
// stores a value, always one of its steps. Assistive technology hears the slider under
// its name, its value as the percentage shown, in number and in the wording it is given.
class PercentSlider final : public QWidget {
    Q_OBJECT

public:
    // The slider's ends and steps, in whole percent.
    struct Steps {
        int lowestPercent = 0;
        int highestPercent = 100;
        int percentPerStep = 1;
    };

    static constexpr int sliderWidth = 170;
    static constexpr int percentWidth = 44;
    static constexpr int percentSpacing = 12;

    // spokenValue: the percentage as assistive technology reads it, with %1 for the
    // number ("%1 percent").
    PercentSlider(Binding<double> value, Steps steps, const QString& accessibleName,
                  QString spokenValue, QWidget* parent = nullptr);

    // Reads the bound value again after it changed elsewhere.
    void refresh();

    QSlider& slider() const { return *slider_; }
    const Steps& steps() const { return steps_; }
    // The whole percentage shown beside the slider: 100 for "100%".
    long shownPercent() const;
    // "100%"
    QString percentText() const;
    QString accessibleValue() const;
    // The slider's step nearest a value, held to the slider's ends.
    int stepNearest(double value) const;

private:
    // The whole percentage of a value: the lowest at or below the lowest end, the
    // highest above the highest, halves rounded away from zero.
    long percent(double value) const;
    double valueAtStep(int step) const;

    Binding<double> value_;
    Steps steps_;
    QString spokenValue_;
    QSlider* slider_;
    PurloText* percent_;
};

} // namespace purlo
