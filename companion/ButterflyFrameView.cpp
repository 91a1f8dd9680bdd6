#include "companion/ButterflyFrameView.h"

#include <algorithm>
#include <cmath>

namespace purlo {

double ButterflyFrameView::flapAt(double secondsSinceReferenceDate) {
    return std::abs(std::sin(9 * secondsSinceReferenceDate));
}

double ButterflyFrameView::upperWingWidth() const {
    return 2.2 + 3.4 * flap;
}

double ButterflyFrameView::lowerWingWidth() const {
    return std::max(upperWingWidth() - 1.6, 1.4);
}

std::array<ButterflyFrameView::Cell, 16> ButterflyFrameView::cells() const {
    const double w = upperWingWidth();
    const double w2 = lowerWingWidth();
    return {{
        {{8.5 - w, 3.9, w + 1, 5.4}, outlineColor},
        {{9 - w, 4.4, w, 4.4}, wingColor},
        {{9 - w, 5.0, 1, 3.2}, edgeColor},
        {{8.5, 3.9, w + 1, 5.4}, outlineColor},
        {{9, 4.4, w, 4.4}, wingColor},
        {{8 + w, 5.0, 1, 3.2}, edgeColor},
        {{8.5 - w2, 8.7, w2 + 1, 4.0}, outlineColor},
        {{9 - w2, 9.2, w2, 3.0}, wingColor},
        {{9 - w2, 9.8, 1, 1.8}, edgeColor},
        {{8.5, 8.7, w2 + 1, 4.0}, outlineColor},
        {{9, 9.2, w2, 3.0}, wingColor},
        {{8 + w2, 9.8, 1, 1.8}, edgeColor},
        {{8.1, 3.4, 1.8, 9.6}, outlineColor},
        {{8.4, 3.7, 1.2, 9.0}, bodyColor},
        {{7.2, 2.2, 0.9, 0.9}, outlineColor},
        {{9.9, 2.2, 0.9, 0.9}, outlineColor},
    }};
}

void ButterflyFrameView::draw(Canvas& canvas, double width) const {
    const double unit = width / cellsAcross;
    for (const Cell& cell : cells()) {
        const CanvasRect rect{cell.rect.x * unit, cell.rect.y * unit, cell.rect.width * unit,
                              cell.rect.height * unit};
        canvas.fillRects({&rect, 1}, cell.color, 1);
    }
}

} // namespace purlo
