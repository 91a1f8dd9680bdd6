#include "companion/RasterFrames.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace purlo {
namespace {

// Unchanged rows a run of changed ones reaches across: a handful of rows repainted for
// nothing costs less than another rectangle.
constexpr int bridgedRows = 4;

std::uint32_t* rowOf(const PixelBuffer& buffer, int row) {
    return buffer.pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(buffer.stride);
}

void clear(const PixelBuffer& buffer, const PixelRect& area) {
    for (int row = area.y; row < area.bottom(); ++row) {
        std::fill_n(rowOf(buffer, row) + area.x, area.width, 0u);
    }
}

} // namespace

std::vector<PixelRect> RasterFrames::draw(int width, int height,
                                          const std::function<void(Canvas&)>& paint) {
    const bool resized = width != width_ || height != height_;
    if (resized) {
        width_ = std::max(width, 0);
        height_ = std::max(height, 0);
        for (Buffer& buffer : buffers_) {
            buffer.pixels.assign(static_cast<std::size_t>(width_) * height_, 0);
            buffer.painted = {};
        }
    }
    Buffer& before = buffers_[current_];
    Buffer& next = buffers_[1 - current_];
    const PixelBuffer target = pixelsOf(next);
    clear(target, next.painted);
    canvas_.reset(target);
    paint(canvas_);
    next.painted = canvas_.paintedBounds();
    current_ = 1 - current_;

    const PixelRect whole{0, 0, width_, height_};
    if (resized) {
        return whole.isEmpty() ? std::vector<PixelRect>{} : std::vector<PixelRect>{whole};
    }
    return changedRows(pixelsOf(before), target, before.painted.united(next.painted), bridgedRows);
}

PixelBuffer RasterFrames::current() {
    return pixelsOf(buffers_[current_]);
}

PixelBuffer RasterFrames::pixelsOf(Buffer& buffer) const {
    return {buffer.pixels.data(), width_, height_, width_};
}

std::vector<PixelRect> changedRows(const PixelBuffer& before, const PixelBuffer& after,
                                   const PixelRect& within, int bridgedRows) {
    std::vector<PixelRect> changed;
    std::optional<PixelRect> run;
    const std::size_t bytes = static_cast<std::size_t>(std::max(within.width, 0)) * 4;
    for (int row = within.y; row < within.bottom(); ++row) {
        const std::uint32_t* old = rowOf(before, row) + within.x;
        const std::uint32_t* now = rowOf(after, row) + within.x;
        if (std::memcmp(old, now, bytes) == 0) {
            if (run && row - run->bottom() >= bridgedRows) {
                changed.push_back(*run);
                run.reset();
            }
            continue;
        }
        int first = 0;
        while (old[first] == now[first]) {
            ++first;
        }
        int last = within.width - 1;
        while (old[last] == now[last]) {
            --last;
        }
        const PixelRect span{within.x + first, row, last - first + 1, 1};
        run = run ? run->united(span) : span;
    }
    if (run) {
        changed.push_back(*run);
    }
    return changed;
}

} // namespace purlo
