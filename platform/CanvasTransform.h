#pragma once

#include <cmath>
#include <numbers>
#include <utility>

namespace purlo {

// An affine map of a canvas's user space onto its pixels:
// x' = a x + c y + tx, y' = b x + d y + ty. Canvas implementations keep one as their
// current transform.
struct CanvasTransform {
    double a = 1;
    double b = 0;
    double c = 0;
    double d = 1;
    double tx = 0;
    double ty = 0;

    // This map applied after other (other acts on a point first).
    constexpr CanvasTransform after(const CanvasTransform& other) const {
        return {a * other.a + c * other.b,        b * other.a + d * other.b,
                a * other.c + c * other.d,        b * other.c + d * other.d,
                a * other.tx + c * other.ty + tx, b * other.tx + d * other.ty + ty};
    }

    static constexpr CanvasTransform translation(double dx, double dy) {
        return {1, 0, 0, 1, dx, dy};
    }
    static constexpr CanvasTransform scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    // Clockwise on screen for positive degrees, the y axis pointing down.
    static CanvasTransform rotation(double degrees) {
        const double radians = degrees * std::numbers::pi / 180;
        return {std::cos(radians), std::sin(radians), -std::sin(radians), std::cos(radians), 0, 0};
    }

    constexpr std::pair<double, double> map(double x, double y) const {
        return {a * x + c * y + tx, b * x + d * y + ty};
    }
    constexpr bool isIdentity() const {
        return a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0;
    }

    friend constexpr bool operator==(const CanvasTransform&, const CanvasTransform&) = default;
};

} // namespace purlo
