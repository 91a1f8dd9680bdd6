#pragma once

#include "companion/CellTarget.h"
#include "tests/support/RecordingCanvas.h"

#include <functional>
#include <vector>

namespace purlo::testing {

// Runs a painter on a grid of one canvas point per unit and keeps what it filled.
inline RecordingCanvas recordCells(const std::function<void(const CellTarget&)>& paint,
                                   int contextID = CellTarget::bodyContextID) {
    RecordingCanvas canvas;
    const DrawingContext context(canvas);
    SeamlessRectBatcher batcher;
    paint(CellTarget{batcher, CatGrid{}, context, contextID});
    batcher.flush();
    return canvas;
}

inline bool containsRect(const std::vector<CanvasRect>& rects, const CanvasRect& rect) {
    for (const CanvasRect& candidate : rects) {
        if (candidate == rect) {
            return true;
        }
    }
    return false;
}

} // namespace purlo::testing
