#pragma once

#include "companion/RasterCanvas.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace purlo {

// Frames drawn in software one after another, each compared with the one before, so
// that only what changed needs showing. Two buffers take turns: the next frame is
// drawn into the one that held the frame before last, cleared only where that frame
// had painted.
class RasterFrames {
public:
    // Draws the next frame, width x height pixels, on a cleared canvas and returns the
    // rectangles where it differs from the frame before: one per run of rows that
    // changed, across the columns that changed in them, a run bridging a few unchanged
    // rows (each rectangle costs a request of the window system's and a pass of the
    // toolkit's). The first frame, and every frame of another size than the one before,
    // is different everywhere.
    std::vector<PixelRect> draw(int width, int height, const std::function<void(Canvas&)>& paint);

    // The last frame drawn; no pixels before the first.
    PixelBuffer current();

private:
    struct Buffer {
        std::vector<std::uint32_t> pixels;
        PixelRect painted; // outside it every pixel is clear
    };

    PixelBuffer pixelsOf(Buffer& buffer) const;

    std::array<Buffer, 2> buffers_;
    RasterCanvas canvas_;
    std::size_t current_ = 0;
    int width_ = 0;
    int height_ = 0;
};

// Where two frames of the same size differ within the given rectangle: one rectangle per
// run of rows that differ, spanning the columns that differ in any of them. Up to
// bridgedRows unchanged rows between two changed ones do not end a run.
std::vector<PixelRect> changedRows(const PixelBuffer& before, const PixelBuffer& after,
                                   const PixelRect& within, int bridgedRows = 0);

} // namespace purlo
