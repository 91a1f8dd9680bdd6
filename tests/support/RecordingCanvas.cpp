#include "tests/support/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace purlo::testing {

void RecordingCanvas::fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) {
    fills_.push_back({{rects.begin(), rects.end()}, color, opacity, current_});
}

void RecordingCanvas::save() {
    saved_.push_back(current_);
}

void RecordingCanvas::restore() {
    if (saved_.empty()) {
        ADD_FAILURE() << "restore without a matching save";
        return;
    }
    current_ = saved_.back();
    saved_.pop_back();
}

void RecordingCanvas::translate(double dx, double dy) {
    current_ = current_.after(CanvasTransform::translation(dx, dy));
}

void RecordingCanvas::rotate(double degrees) {
    current_ = current_.after(CanvasTransform::rotation(degrees));
}

void RecordingCanvas::scale(double sx, double sy) {
    current_ = current_.after(CanvasTransform::scaling(sx, sy));
}

std::vector<CanvasRect> RecordingCanvas::allRects() const {
    std::vector<CanvasRect> rects;
    for (const RecordedFill& fill : fills_) {
        rects.insert(rects.end(), fill.rects.begin(), fill.rects.end());
    }
    return rects;
}

std::vector<RecordedFill> RecordingCanvas::fillsIn(RgbColor color, double opacity) const {
    std::vector<RecordedFill> matching;
    for (const RecordedFill& fill : fills_) {
        if (fill.color == color && fill.opacity == opacity) {
            matching.push_back(fill);
        }
    }
    return matching;
}

} // namespace purlo::testing
