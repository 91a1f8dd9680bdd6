#pragma once

#include "companion/CatGrid.h"
#include "companion/DrawingContext.h"
#include "companion/SeamlessRectBatcher.h"

namespace purlo {

// Where a layer's cells go: the frame's batcher, the grid's placement on the canvas,
// and the drawing context with the number the batcher splits runs on (0 for the
// body, 1 for the head).
struct CellTarget {
    static constexpr int bodyContextID = 0;
    static constexpr int headContextID = 1;

    SeamlessRectBatcher& batcher;
    CatGrid grid;
    const DrawingContext& context;
    int contextID;

    void add(RgbColor color, CellRect cell, double opacity = 1) const {
        batcher.add(color, cell.x, cell.y, cell.width, cell.height, opacity, grid.originX,
                    grid.originY, grid.unit, context, contextID);
    }
};

} // namespace purlo
