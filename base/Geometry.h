#pragma once

#include <algorithm>

namespace purlo {

// Screen geometry in points, in the desktop's global space: origin at the lower-left
// corner of the primary screen, y upward.
struct Point {
    double x = 0;
    double y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0;
    double height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    Point origin;
    Size size;

    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    double midX() const { return origin.x + size.width / 2; }
    double midY() const { return origin.y + size.height / 2; }
    double width() const { return size.width; }
    double height() const { return size.height; }
    bool isEmpty() const { return !(size.width > 0) || !(size.height > 0); }

    // Edges are half-open: a point on the maximum edge lies outside.
    bool contains(Point p) const {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }

    // The overlap of two rectangles; an empty rectangle when they do not meet.
    Rect intersection(const Rect& other) const {
        const double left = std::max(minX(), other.minX());
        const double bottom = std::max(minY(), other.minY());
        const double right = std::min(maxX(), other.maxX());
        const double top = std::min(maxY(), other.maxY());
        if (!(right > left) || !(top > bottom)) {
            return Rect{};
        }
        return Rect{{left, bottom}, {right - left, top - bottom}};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace purlo
