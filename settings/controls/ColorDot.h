#pragma once

#include "companion/PurloTheme.h"

#include <QWidget>

namespace purlo {

// A small round swatch of one fixed colour, the same in light and dark, with a faint
// ring just inside its edge so it stands out on any ground.
class ColorDot final : public QWidget {
    Q_OBJECT

public:
    ColorDot(int diameter, const ThemeColor& ring, QWidget* parent = nullptr);

    void setFill(const RgbColor& fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ThemeColor ring_;
    RgbColor fill_;
};

} // namespace purlo
