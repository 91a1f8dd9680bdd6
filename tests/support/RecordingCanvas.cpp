#include "tests/support/RecordingCanvas.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace purlo::testing {

CanvasTransform CanvasTransform::after(const CanvasTransform& other) const {
    return {a * other.a + c * other.b,        b * other.a + d * other.b,
            a * other.c + c * other.d,        b * other.c + d * other.d,
            a * other.tx + c * other.ty + tx, b * other.tx + d * other.ty + ty};
}

std::pair<double, double> CanvasTransform::map(double x, double y) const {
    return {a * x + c * y + tx, b * x + d * y + ty};
}

bool CanvasTransform::isIdentity() const {
    return a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0;
}

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
    current_ = current_.after({1, 0, 0, 1, dx, dy});
}

void RecordingCanvas::rotate(double degrees) {
    const double radians = degrees * std::numbers::pi / 180;
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    current_ = current_.after({cosine, sine, -sine, cosine, 0, 0});
}

void RecordingCanvas::scale(double sx, double sy) {
    current_ = current_.after({sx, 0, 0, sy, 0, 0});
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
