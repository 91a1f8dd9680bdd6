#include "settings/controls/FlowRows.h"

#include <algorithm>
#include <limits>

namespace purlo {

FlowPlacement flowRows(std::span<const Size> idealSizes, double spacing,
                       std::optional<double> width) {
    const double limit = width.value_or(std::numeric_limits<double>::infinity());
    FlowPlacement placement;
    placement.positions.reserve(idealSizes.size());
    double x = 0;
    double y = 0;
    double rowHeight = 0;
    double widest = 0;
    for (const Size& size : idealSizes) {
        if (x > 0 && x + size.width > limit) {
            y += spacing + rowHeight;
            x = 0;
            rowHeight = 0;
        }
        placement.positions.push_back({x, y});
        rowHeight = std::max(rowHeight, size.height);
        x += size.width + spacing;
        widest = std::max(widest, x - spacing);
    }
    placement.size = {widest, y + rowHeight};
    return placement;
}

} // namespace purlo
