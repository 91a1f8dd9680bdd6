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

// Whether four pixels from old and now are the same, compared in one go.
bool sameFour(const std::uint32_t* old, const std::uint32_t* now) {
    using FourPixels = std::uint32_t __attribute__((vector_size(16)));
    using TwoHalves = std::uint64_t __attribute__((vector_size(16)));
    FourPixels a;
    FourPixels b;
    std::memcpy(&a, old, sizeof a);
    std::memcpy(&b, now, sizeof b);
    const auto differences = reinterpret_cast<TwoHalves>(a ^ b);
    return (differences[0] | differences[1]) == 0;
}

// The first column where two rows of width pixels differ; they differ somewhere.
int firstDifference(const std::uint32_t* old, const std::uint32_t* now, int width) {
    int column = 0;
    while (column + 4 <= width && sameFour(old + column, now + column)) {
        column += 4;
    }
    while (old[column] == now[column]) {
        ++column;
    }
    return column;
}

// The last column where two rows of width pixels differ; they differ somewhere.
int lastDifference(const std::uint32_t* old, const std::uint32_t* now, int width) {
    int end = width;
    while (end >= 4 && sameFour(old + end - 4, now + end - 4)) {
        end -= 4;
    }
    while (old[end - 1] == now[end - 1]) {
        --end;
    }
    return end - 1;
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
        const int first = firstDifference(old, now, within.width);
        const int last = lastDifference(old, now, within.width);
        const PixelRect span{within.x + first, row, last - first + 1, 1};
        run = run ? run->united(span) : span;
    }
    if (run) {
        changed.push_back(*run);
    }
    return changed;
}

} // namespace purlo
