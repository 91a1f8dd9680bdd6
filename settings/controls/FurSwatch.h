#pragma once

#include "model/CatLookPresets.h"
#include "ui/PointerHover.h"

#include <QAbstractButton>
#include <QVariantAnimation>
#include <functional>

namespace purlo {

// One tile of the fur picker: a round preview of a skin with its name under it, on a
// rounded card that shows whether this is the cat's skin now (a wash fill, an accent
// border and a halo around the card). The tile lifts a little while the pointer is
// over it. A click anywhere on the card runs the action; the tile changes nothing
// itself. The card keeps room around it inside the widget for the halo and the lift.
class FurSwatch final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr double previewDiameter = 26;
    static constexpr double cornerRadius = 11;
    static constexpr double borderWidth = 1.5;
    static constexpr int haloSpread = 3;
    static constexpr int hoverLift = 2;
    static constexpr int hoverAnimationMilliseconds = 120;

    FurSwatch(CatSkinPreset skin, bool isSelected, std::function<void()> action,
              QWidget* parent = nullptr);

    void setSelected(bool selected);
    bool isSelected() const { return isChecked(); }
    CatSkinPreset skin() const { return skin_; }
    // The card as it rests, without halo or lift, in the widget's coordinates.
    QRectF cardRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;
    void nextCheckState() override {}

private:
    CatSkinPreset skin_;
    // 0 at rest, 1 lifted; eases between the two as the pointer comes and goes.
    double liftProgress_ = 0;
    QVariantAnimation liftAnimation_;
    PointerHover hover_;
};

} // namespace purlo
