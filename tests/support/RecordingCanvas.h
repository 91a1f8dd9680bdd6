#pragma once

#include "platform/Canvas.h"
#include "platform/CanvasTransform.h"

#include <gtest/gtest.h>
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
    void fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) override {
        fills_.push_back({{rects.begin(), rects.end()}, color, opacity, current_});
    }
    void save() override { saved_.push_back(current_); }
    void restore() override {
        ASSERT_FALSE(saved_.empty()) << "restore without a matching save";
        current_ = saved_.back();
        saved_.pop_back();
    }
    void translate(double dx, double dy) override { apply(CanvasTransform::translation(dx, dy)); }
    void rotate(double degrees) override { apply(CanvasTransform::rotation(degrees)); }
    void scale(double sx, double sy) override { apply(CanvasTransform::scaling(sx, sy)); }

    const std::vector<RecordedFill>& fills() const { return fills_; }
    int saveDepth() const { return static_cast<int>(saved_.size()); }

private:
    void apply(const CanvasTransform& transform) { current_ = current_.after(transform); }

    std::vector<RecordedFill> fills_;
    std::vector<CanvasTransform> saved_;
    CanvasTransform current_;
};

} // namespace purlo::testing
