#pragma once

#include "base/Geometry.h"

#include <optional>
#include <span>
#include <vector>

namespace purlo {

// Where a flow of items goes: each item's top-leading corner, relative to the flow's
// own, and the size the whole flow takes. Coordinates run down the page.
struct FlowPlacement {
    std::vector<Point> positions;
    Size size;

    friend bool operator==(const FlowPlacement&, const FlowPlacement&) = default;
};

// Sets items of the given ideal sizes left to right like words, spacing apart, and
// starts a new row, spacing below the tallest item of the last one, when the next item
// would run past width; without a width everything stands in one row. An item that
// ends exactly at the width still fits, and the first item of a row stays there however
// wide it is, so the flow can come out wider than asked. Rows are top- and
// left-aligned.
FlowPlacement flowRows(std::span<const Size> idealSizes, double spacing,
                       std::optional<double> width);

} // namespace purlo
