#pragma once

#include "platform/Canvas.h"

class QPainter;

namespace purlo::testing {

// The canvas on Qt's own antialiased rasteriser: the reference the software canvas
// is measured against.
class QPainterCanvas final : public Canvas {
public:
    explicit QPainterCanvas(QPainter& painter);

    void fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) override;
    void save() override;
    void restore() override;
    void translate(double dx, double dy) override;
    void rotate(double degrees) override;
    void scale(double sx, double sy) override;

private:
    QPainter& painter_;
};

} // namespace purlo::testing
