#include "app/PopoverPlacement.h"

#include <algorithm>

namespace purlo {
namespace {

// Between the anchor and the popover, and between the popover and the area's edges.
constexpr int gap = 6;
constexpr int margin = 4;

// The position along one axis that keeps length inside [low, high), or low when it
// cannot fit at all.
int keptWithin(int position, int length, int low, int high) {
    return std::max(low, std::min(position, high - length));
}

} // namespace

QPoint popoverOrigin(const QRect& anchor, const QSize& popover, const QRect& availableArea) {
    const int left = availableArea.left() + margin;
    const int right = availableArea.left() + availableArea.width() - margin;
    const int x =
        keptWithin(anchor.center().x() - popover.width() / 2, popover.width(), left, right);

    const int top = availableArea.top();
    const int bottom = availableArea.top() + availableArea.height();
    const int below = anchor.top() + anchor.height() + gap;
    if (below + popover.height() <= bottom) {
        return {x, std::max(below, top)};
    }
    const int above = anchor.top() - gap - popover.height();
    if (above >= top) {
        return {x, above};
    }
    return {x, keptWithin(below, popover.height(), top, bottom)};
}

PanelEdge panelEdge(const QRect& anchor, const QRect& opened) {
    if (opened.top() >= anchor.center().y()) {
        return {PanelEdge::Side::top, opened.top()};
    }
    return {PanelEdge::Side::bottom, opened.top() + opened.height()};
}

QRect keptOnPanel(const PanelEdge& edge, int x, const QSize& popover, const QRect& availableArea) {
    const int y = edge.side == PanelEdge::Side::top ? edge.y : edge.y - popover.height();
    const int top = availableArea.top();
    return {QPoint(x, keptWithin(y, popover.height(), top, top + availableArea.height())), popover};
}

} // namespace purlo
