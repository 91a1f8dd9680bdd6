#pragma once

#include "platform/Canvas.h"
#include "platform/CanvasTransform.h"

#include <vector>

namespace purlo::testing {

struct RecordedFill {
    std::vector<CanvasRect> rects;
    RgbColor color;
    double opacity = 1;
    CanvasTransform transform; // in force when the fill was made
};

// Keeps every fill with the transform it was made under, so tests can count runs and
// look at cells without rasterising anything.
class RecordingCanvas final : public Canvas {
public:
    void fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) override;
    void save() override;
    void restore() override;
    void translate(double dx, double dy) override;
    void rotate(double degrees) override;
    void scale(double sx, double sy) override;

    const std::vector<RecordedFill>& fills() const { return fills_; }
    // Every cell of every fill, in painting order.
    std::vector<CanvasRect> allRects() const;
    // Fills made in one colour at one opacity.
    std::vector<RecordedFill> fillsIn(RgbColor color, double opacity) const;
    // Saves not yet restored.
    int saveDepth() const { return static_cast<int>(saved_.size()); }

private:
    std::vector<RecordedFill> fills_;
    std::vector<CanvasTransform> saved_;
    CanvasTransform current_;
};

} // namespace purlo::testing
