// Keeping a proposed window origin on a screen: used for the cat's drags here, and
// by the runtime for placement and corner moves.
#include "model/PurloBehaviorEngine.h"

#include <algorithm>
#include <cmath>

namespace purlo {
namespace {

// One axis: the screen's extent inset from both ends, collapsing onto its middle when
// the inset eats it all, so a huge inset never turns the range inside out.
struct Span {
    double low;
    double high;
};

Span insetSpan(double low, double high, double inset) {
    if (high - low < 2 * inset) {
        const double middle = (low + high) / 2;
        return {middle, middle};
    }
    return {low + inset, high - inset};
}

// A non-finite proposal (a pointer that went astray) lands on the low edge rather
// than carrying NaN into the window's position.
double clampAxis(double proposed, Span span, double extent) {
    const double highest = std::max(span.low, span.high - extent);
    if (!std::isfinite(proposed)) {
        return span.low;
    }
    return std::min(std::max(proposed, span.low), highest);
}

} // namespace

Point PurloBehaviorEngine::clampedOrigin(Point proposed, Size size, const Rect& screen,
                                         double inset) {
    const double margin = std::max(inset, 0.0);
    const Span horizontal = insetSpan(screen.minX(), screen.maxX(), margin);
    const Span vertical = insetSpan(screen.minY(), screen.maxY(), margin);
    return {clampAxis(proposed.x, horizontal, size.width),
            clampAxis(proposed.y, vertical, size.height)};
}

} // namespace purlo
