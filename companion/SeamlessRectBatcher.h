#pragma once

#include "companion/DrawingContext.h"
#include "platform/Canvas.h"

#include <optional>
#include <vector>

namespace purlo {

// Collects consecutive cells of one colour, opacity and context into one path and
// fills it once, when the run ends. Edges shared inside a run are never antialiased
// against each other, so neighbouring cells show no seams, and a run of any length
// costs one fill. One batcher serves one frame; whatever is still pending when it is
// dropped is not drawn, so the frame ends with flush.
class SeamlessRectBatcher {
public:
    // Adds the cell (x, y, width, height) in grid units, placed at the grid origin
    // with the given unit. A change of colour, opacity (exactly) or contextID first
    // fills the pending run.
    void add(RgbColor color, double x, double y, double width, double height, double opacity,
             double originX, double originY, double unit, const DrawingContext& context,
             int contextID);

    // Fills the pending run, if any, and empties the path. Colour, opacity and
    // context stay pending, so a following cell with the same keys adds no fill.
    void flush();

private:
    std::vector<CanvasRect> path;
    std::optional<RgbColor> color;
    double opacity = 1.0;
    const DrawingContext* context = nullptr;
    int contextID = -1;
};

} // namespace purlo
