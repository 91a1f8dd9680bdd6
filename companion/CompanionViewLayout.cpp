#include "companion/CompanionViewLayout.h"

#include <algorithm>
#include <cmath>

namespace purlo {
namespace {

constexpr double smallestScale = 0.1;

CanvasRect intersection(const CanvasRect& a, const CanvasRect& b) {
    const double left = std::max(a.x, b.x);
    const double top = std::max(a.y, b.y);
    const double right = std::min(a.x + a.width, b.x + b.width);
    const double bottom = std::min(a.y + a.height, b.y + b.height);
    return {left, top, std::max(0.0, right - left), std::max(0.0, bottom - top)};
}

} // namespace

double CompanionViewLayout::effectiveScale(double sceneScale, double companionScale) {
    const double s = sceneScale * companionScale;
    return std::isfinite(s) ? std::max(s, smallestScale) : 1.0;
}

CanvasRect CompanionViewLayout::catFrame() {
    return {(panelWidth - catSide) / 2, panelHeight - catSide, catSide, catSide};
}

CanvasRect CompanionViewLayout::catViewArea(double s) {
    const CanvasRect frame = catFrame();
    const double centreX = frame.x + frame.width / 2;
    const double centreY = frame.y + frame.height / 2;
    const double half = catSide * s / 2 + catOverflow * s;
    return intersection({centreX - half, centreY - half, 2 * half, 2 * half},
                        {0, 0, panelWidth, windowHeight});
}

double CompanionViewLayout::bubbleBottom(double s) {
    return panelHeight - (catSide / 2 * s + catSide / 2 + bubbleGap);
}

CanvasRect CompanionViewLayout::timerLabelFrame(double width, double height) {
    const double shown = std::min(width, panelWidth);
    const double centreX = panelWidth / 2 + timerOffsetX;
    const double left = std::max(0.0, std::min(centreX - shown / 2, panelWidth - shown));
    const double bottom = panelHeight - timerOffsetY;
    return {left, bottom - height, shown, height};
}

} // namespace purlo
