#pragma once

#include "platform/Canvas.h"

class QPainter;

namespace purlo {

// The cat's canvas on a QPainter (a widget or a QImage). It turns antialiasing on
// and leaves the painter's state otherwise as the painter's owner set it.
class QtCanvas final : public Canvas {
public:
    explicit QtCanvas(QPainter& painter);

    void fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) override;
    void save() override;
    void restore() override;
    void translate(double dx, double dy) override;
    void rotate(double degrees) override;
    void scale(double sx, double sy) override;

private:
    QPainter& painter_;
};

} // namespace purlo
