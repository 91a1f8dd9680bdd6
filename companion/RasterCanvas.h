#pragma once

#include "platform/Canvas.h"
#include "platform/CanvasTransform.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace purlo {

// Pixels in premultiplied ARGB, one 32-bit word each with alpha in the high byte:
// the layout of a QImage in Format_ARGB32_Premultiplied.
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0; // words from one row to the next

    std::uint32_t* at(int x, int y) const {
        return pixels + static_cast<std::ptrdiff_t>(y) * stride + x;
    }
};

// A rectangle of whole pixels.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    // The smallest rectangle holding both; an empty one adds nothing.
    PixelRect united(const PixelRect& other) const;

    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Which copy of the canvas's inner loops paints: one any x86-64 runs, or one compiled for
// AVX2, which blends eight pixels at a time and rounds in one instruction. Both give the
// same pixels; the AVX2 copy only runs where fastestRasterCode chose it.
enum class RasterCode { baseline, avx2 };

// AVX2 where the processor and the system have it, else the baseline.
RasterCode fastestRasterCode();

// The cat's canvas in software. Every fill computes the exact area each pixel has
// under the union of its rectangles (non-zero winding, accumulated along each row)
// and lays the colour over the pixel with that coverage times the opacity. Cells
// that touch therefore meet without a seam, cells that overlap get one coat, and a
// turned rectangle costs no more than an upright one. Upright edges, which make most
// of the cat, take a shorter road to the same numbers.
class RasterCanvas final : public Canvas {
public:
    explicit RasterCanvas(PixelBuffer target = {}, RasterCode code = fastestRasterCode());

    // Starts over on another target: no transform, nothing saved, nothing painted. The
    // working memory of earlier fills is kept for the next ones.
    void reset(PixelBuffer target);

    void fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) override;
    void save() override;
    void restore() override;
    void translate(double dx, double dy) override;
    void rotate(double degrees) override;
    void scale(double sx, double sy) override;

    // The pixels the fills so far may have changed (empty before the first).
    const PixelRect& paintedBounds() const { return paintedBounds_; }

private:
    using Quad = std::array<std::pair<double, double>, 4>;

    struct Bounds {
        double minX = INFINITY;
        double minY = INFINITY;
        double maxX = -INFINITY;
        double maxY = -INFINITY;

        void include(const Quad& quad) {
            for (const auto& [x, y] : quad) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
    };

    // Passed by value: the compiler then keeps it in registers instead of reading it
    // again after every store to the accumulation.
    struct Area {
        int left = 0;
        int top = 0;
        int columns = 0; // one more than the pixels, for what falls off the right
        int rows = 0;
    };

    // The columns an edge within one pixel column writes its row's amount to.
    struct SplitColumns {
        int here = 0;
        int next = 0;
        int last = 0;
    };

    std::optional<Area> areaWithin(const Bounds& bounds) const;
    void prepare(Area area);
    // lanes: the pixels blended at a time, four for the baseline and eight for AVX2.
    template <int lanes>
    void paint(Area area, RgbColor color, double opacity);
    template <typename Each>
    static void forEachRowCrossed(Area area, double y0, double y1, Each each);
    static int columnOf(Area area, double pixel);
    static SplitColumns splitColumns(Area area, double x, double lastX);
    void addSplit(Area area, int row, const SplitColumns& columns, std::int32_t part,
                  std::int32_t whole);
    void addEdge(Area area, double x0, double y0, double x1, double y1);
    void addEdgeWithinColumn(Area area, double x0, double y0, double y1, double slope,
                             double direction, double column);
    void addUprightEdge(Area area, double x, double y0, double y1, double direction);
    void spreadAcrossRow(Area area, int row, double xLeft, double xRight, double amount);
    void add(Area area, std::size_t row, int column, std::int32_t amount);
    template <int lanes>
    void blend(Area area, RgbColor color, double opacity);

    PixelBuffer target_;
    RasterCode code_;
    CanvasTransform current_;
    std::vector<CanvasTransform> saved_;
    std::vector<Quad> quads_;
    // Coverage differences in fixed point, 1 << 16 for a whole pixel: a running sum
    // of integers along the row is cheaper than one of floats. Blending sets every
    // entry it read back to 0, so the buffer is all zeros between fills and never
    // needs clearing.
    std::vector<std::int32_t> accumulation_;
    // Per row of the area, the first and last column an edge touched: the winding is
    // 0 outside them, so blending skips the rest.
    std::vector<int> firstTouched_;
    std::vector<int> lastTouched_;
    PixelRect paintedBounds_;
};

} // namespace purlo
