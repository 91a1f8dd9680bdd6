#pragma once

#include "model/CatLookPresets.h"
#include "ui/Binding.h"

#include <QAbstractButton>
#include <QWidget>
#include <vector>

namespace purlo {

// The fur choice of the last onboarding slide: the title "Fur" and one segment per
// skin, in catalogue order. Choosing a segment stores the skin through the binding at
// once; the segments show what the binding holds.
class OnboardingFurPicker final : public QWidget {
    Q_OBJECT

public:
    explicit OnboardingFurPicker(Binding<CatSkinPreset> selection, QWidget* parent = nullptr);

    // Reads the bound skin again after it changed elsewhere.
    void refresh();

private:
    Binding<CatSkinPreset> selection_;
    std::vector<QAbstractButton*> segments_;
};

} // namespace purlo
