#include "companion/RasterCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace purlo {
namespace {

double halfSquare(double z) {
    return z > 0 ? z * z / 2 : 0.0;
}

// An edge's run across one row: from xLeft to xRight, carrying amount of winding.
struct RowRun {
    double xLeft = 0;
    double xRight = 0;
    double inverseRun = 0;
    double amount = 0;
};

// The part of an edge's row slab left of t, over the edge's run (the x of a straight
// edge is spread evenly across that run): the integral of the ramp max(t - x, 0),
// divided by the run.
double rampArea(double t, const RowRun& run) {
    return (halfSquare(t - run.xLeft) - halfSquare(t - run.xRight)) * run.inverseRun;
}

// Each of the four 8-bit channels of a premultiplied pixel times scale / 255, rounded,
// two channels at a time.
std::uint32_t scaled(std::uint32_t pixel, std::uint32_t scale) {
    std::uint32_t redBlue = (pixel & 0x00ff00ffu) * scale + 0x00800080u;
    redBlue = ((redBlue + ((redBlue >> 8) & 0x00ff00ffu)) >> 8) & 0x00ff00ffu;
    std::uint32_t alphaGreen = ((pixel >> 8) & 0x00ff00ffu) * scale + 0x00800080u;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0x00ff00ffu)) & 0xff00ff00u;
    return redBlue | alphaGreen;
}

// Pixels, their coverage changes and their channels in 16-bit lanes, a vector of each:
// four pixels fill the baseline's 16-byte registers, eight fill AVX2's 32-byte ones.
// (Old-style typedefs: gcc drops a vector size that depends on a template parameter from
// an alias declaration.)
template <int lanes>
struct Lanes {
    typedef std::uint32_t Pixels __attribute__((vector_size(4 * lanes)));
    typedef std::int32_t Amounts __attribute__((vector_size(4 * lanes)));
    typedef std::uint16_t Channels __attribute__((vector_size(4 * lanes)));
    typedef std::uint64_t Halves __attribute__((vector_size(4 * lanes)));
};
using FourPixels = Lanes<4>::Pixels;
using FourAmounts = Lanes<4>::Amounts;

// The vector helpers below change their first argument in place: vectors of eight passed
// or returned by value would fall under the AVX calling convention, which gcc warns about.

// (t + (t >> 8)) >> 8 in each lane, the rounding step of scaled.
template <typename Channels>
void roundDown(Channels& t) {
    t = (t + (t >> 8)) >> 8;
}

#if defined(__x86_64__)
// For any 16-bit t the same is the high half of t times 257: one instruction.
void roundDown(Lanes<4>::Channels& t) {
    t = reinterpret_cast<Lanes<4>::Channels>(
        _mm_mulhi_epu16(reinterpret_cast<__m128i>(t), _mm_set1_epi16(257)));
}

__attribute__((target("avx2"))) void roundDown(Lanes<8>::Channels& t) {
    t = reinterpret_cast<Lanes<8>::Channels>(
        _mm256_mulhi_epu16(reinterpret_cast<__m256i>(t), _mm256_set1_epi16(257)));
}
#endif

// Each channel of the pixels times its own pixel's scale / 255, with the rounding of
// scaled, two channels to a word in 16-bit lanes.
template <typename Pixels>
void scale(Pixels& pixels, const Pixels& scales) {
    using Channels = typename Lanes<sizeof(Pixels) / 4>::Channels;
    const auto by = reinterpret_cast<Channels>(scales | scales << 16);
    auto redBlue = reinterpret_cast<Channels>(pixels & 0x00ff00ffu) * by + 0x80;
    auto alphaGreen = reinterpret_cast<Channels>(pixels >> 8 & 0x00ff00ffu) * by + 0x80;
    roundDown(redBlue);
    roundDown(alphaGreen);
    pixels = reinterpret_cast<Pixels>(redBlue | alphaGreen << 8);
}

// Lays laid over below, which shows through by what laid leaves uncovered.
template <typename Pixels>
void cover(Pixels& below, const Pixels& laid) {
    scale(below, 255 - (laid >> 24));
    below += laid;
}

// Laid over below, which shows through by what laid leaves uncovered.
std::uint32_t laidOver(std::uint32_t laid, std::uint32_t below) {
    return laid + scaled(below, 255 - (laid >> 24));
}

// Lays laid over pixels[0, count), lanes at a time where it can.
template <int lanes>
void layOver(std::uint32_t* pixels, int count, std::uint32_t laid) {
    using Pixels = typename Lanes<lanes>::Pixels;
    const Pixels all = Pixels{} + laid;
    int x = 0;
    for (; x + lanes <= count; x += lanes) {
        Pixels below;
        std::memcpy(&below, pixels + x, sizeof below);
        cover(below, all);
        std::memcpy(pixels + x, &below, sizeof below);
    }
    for (; x < count; ++x) {
        pixels[x] = laidOver(laid, pixels[x]);
    }
}

// Sets pixels[0, count) to pixel, lanes at a time where it can: the wide inner parts of
// every opaque fill go through here.
template <int lanes>
void fillPixels(std::uint32_t* pixels, int count, std::uint32_t pixel) {
    using Pixels = typename Lanes<lanes>::Pixels;
    const Pixels all = Pixels{} + pixel;
    int x = 0;
    for (; x + lanes <= count; x += lanes) {
        std::memcpy(pixels + x, &all, sizeof all);
    }
    for (; x < count; ++x) {
        pixels[x] = pixel;
    }
}

constexpr std::int32_t wholePixel = 1 << 16;

// How much of the colour a pixel with this winding-weighted coverage takes, 0 to 255.
std::uint32_t weightOf(std::int32_t winding) {
    const auto coverage = static_cast<std::uint32_t>(std::min(std::abs(winding), wholePixel));
    return (coverage * 255 + (1u << 15)) >> 16;
}

// Each pixel's weight, as weightOf gives it, from its winding.
template <typename Pixels, typename Amounts>
void weigh(Pixels& weights, const Amounts& windings) {
    const Amounts negative = windings >> 31;
    Amounts coverage = (windings ^ negative) - negative;
    coverage = coverage > wholePixel ? wholePixel : coverage;
    weights = (reinterpret_cast<Pixels>(coverage) * 255 + (1u << 15)) >> 16;
}

// The winding after each of four changes from winding on; winding moves on to the last.
// Plain additions: gcc 12 lowers the vector shuffles the eight below take through MMX
// registers at the baseline, without clearing them, and breaks later x87 arithmetic.
void runWindings(Lanes<4>::Amounts& windings, const std::int32_t* changes, std::int32_t& winding) {
    const std::int32_t first = winding + changes[0];
    const std::int32_t second = first + changes[1];
    const std::int32_t third = second + changes[2];
    winding = third + changes[3];
    windings = Lanes<4>::Amounts{first, second, third, winding};
}

// The same for eight, in AVX2 registers: one by one the lanes would go through memory.
// Each lane adds the lane before it, then the two before those, then the four.
void runWindings(Lanes<8>::Amounts& windings, const std::int32_t* changes, std::int32_t& winding) {
    using Amounts = Lanes<8>::Amounts;
    constexpr Amounts none{};
    std::memcpy(&windings, changes, sizeof windings);
    windings += __builtin_shufflevector(none, windings, 0, 8, 9, 10, 11, 12, 13, 14);
    windings += __builtin_shufflevector(none, windings, 0, 1, 8, 9, 10, 11, 12, 13);
    windings += __builtin_shufflevector(none, windings, 0, 1, 2, 3, 8, 9, 10, 11);
    windings += winding;
    winding = windings[7];
}

// Lays source, at weight / 255 of its strength, over pixels[0, count). An opaque colour
// at full strength simply replaces what was there.
template <int lanes>
void layStretch(std::uint32_t* pixels, int count, std::uint32_t source, std::uint32_t alpha,
                std::uint32_t weight) {
    if (weight == 255 && alpha == 255) {
        fillPixels<lanes>(pixels, count, source);
    } else if (weight > 0) {
        layOver<lanes>(pixels, count, weight == 255 ? source : scaled(source, weight));
    }
}

// Whether none of the changes changes anything.
template <int lanes>
bool noneChange(const std::int32_t* changes) {
    using Halves = typename Lanes<lanes>::Halves;
    Halves halves;
    std::memcpy(&halves, changes, sizeof halves);
    std::uint64_t any = 0;
    for (std::size_t half = 0; half < sizeof(Halves) / 8; ++half) {
        any |= halves[half];
    }
    return any == 0;
}

#if defined(__x86_64__)
// With AVX2 the eight are tested in one instruction.
template <>
__attribute__((target("avx2"))) bool noneChange<8>(const std::int32_t* changes) {
    const __m256i all = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(changes));
    return _mm256_testz_si256(all, all) != 0;
}
#endif

// How far inside a pixel column an edge must stay for every row of it to be taken as
// within that column: rounding in the rows' x cannot carry it across.
constexpr double insideMargin = 1e-9;

// Rounded half away from zero, without a branch; coverage amounts stay within a few
// pixels.
std::int32_t fixed(double coverage) {
    const double scaled = coverage * double{wholePixel};
    return static_cast<std::int32_t>(scaled + std::copysign(0.5, scaled));
}

// Four columns of an edge's run at once. Helpers would pass these by value, which gcc
// warns changes with AVX, so their arithmetic is written where it is used.
using FourReals = double __attribute__((vector_size(32)));
using FourBits = std::uint64_t __attribute__((vector_size(32)));

// Adds to entries[0, count) the differences of an edge's covered amount from column to
// column, starting at the column whose right border is t; the column before it had the
// ramp area rampBefore and the covered amount before. Four entries are read and written
// at a time, up to three past count: those get nothing added.
void spreadColumns(std::int32_t* entries, int count, double t, const RowRun& run, double rampBefore,
                   std::int32_t before) {
    constexpr FourReals lanes{0, 1, 2, 3};
    constexpr FourAmounts laneNumbers{0, 1, 2, 3};
    FourReals rampsBefore = FourReals{} + rampBefore;
    FourAmounts coveredBefore = FourAmounts{} + before;
    constexpr FourReals halves{0.5, 0.5, 0.5, 0.5};
    for (int i = 0; i < count; i += 4) {
        // Each lane does what rampArea and fixed do for one column, in the same order.
        const FourReals left = t + i + lanes - run.xLeft;
        const FourReals right = t + i + lanes - run.xRight;
        const FourReals ramps = ((left > 0 ? left * left / 2 : FourReals{}) -
                                 (right > 0 ? right * right / 2 : FourReals{})) *
                                run.inverseRun;
        const FourReals scaled = run.amount *
                                 (ramps - __builtin_shufflevector(rampsBefore, ramps, 3, 4, 5, 6)) *
                                 double{wholePixel};
        const FourBits signs = reinterpret_cast<FourBits>(scaled) & (std::uint64_t{1} << 63);
        const FourAmounts covered = __builtin_convertvector(
            scaled + reinterpret_cast<FourReals>(signs | reinterpret_cast<FourBits>(halves)),
            FourAmounts);
        const FourAmounts changes =
            covered - __builtin_shufflevector(coveredBefore, covered, 3, 4, 5, 6);
        FourAmounts sums;
        std::memcpy(&sums, entries + i, sizeof sums);
        sums += changes & (laneNumbers + i < count);
        std::memcpy(entries + i, &sums, sizeof sums);
        rampsBefore = ramps;
        coveredBefore = covered;
    }
}

std::uint32_t byte(double value) {
    return static_cast<std::uint32_t>(std::clamp(value, 0.0, 1.0) * 255 + 0.5);
}

// Runs work with everything it calls compiled again for AVX2, inlined into one copy.
// Fused multiply-add stays off: it would round differently and change pixels.
template <typename Work>
#if defined(__x86_64__)
__attribute__((target("avx2"), flatten))
#endif
void withAvx2(Work work) {
    work();
}

// Blends a row's columns from column on, lanes at a time, as far as whole vectors reach
// before end, and returns the column reached. Where none of them changes the winding the
// coverage stays what it was, and such stretches are laid in one go; elsewhere each pixel
// gets its own coverage. Every entry read is set back to zero.
template <int lanes>
int blendVectors(std::int32_t* line, std::uint32_t* pixels, int column, int end,
                 std::uint32_t source, std::uint32_t alpha, std::int32_t& winding) {
    using Pixels = typename Lanes<lanes>::Pixels;
    using Amounts = typename Lanes<lanes>::Amounts;
    while (column + lanes <= end) {
        if (noneChange<lanes>(line + column)) {
            int stretchEnd = column + lanes;
            while (stretchEnd + lanes <= end && noneChange<lanes>(line + stretchEnd)) {
                stretchEnd += lanes;
            }
            layStretch<lanes>(pixels + column, stretchEnd - column, source, alpha,
                              weightOf(winding));
            column = stretchEnd;
            continue;
        }
        Amounts windings;
        runWindings(windings, line + column, winding);
        std::fill_n(line + column, lanes, 0);
        Pixels laid = Pixels{} + source;
        Pixels weights;
        weigh(weights, windings);
        scale(laid, weights);
        Pixels below;
        std::memcpy(&below, pixels + column, sizeof below);
        cover(below, laid);
        std::memcpy(pixels + column, &below, sizeof below);
        column += lanes;
    }
    return column;
}

// One row's columns [first, end): lanes at a time, then four at a time where eight no
// longer fit, then one by one.
template <int lanes>
void blendRow(std::int32_t* line, std::uint32_t* pixels, int first, int end, std::uint32_t source,
              std::uint32_t alpha) {
    std::int32_t winding = 0;
    int column = blendVectors<lanes>(line, pixels, first, end, source, alpha, winding);
    if constexpr (lanes > 4) {
        column = blendVectors<4>(line, pixels, column, end, source, alpha, winding);
    }
    for (; column < end; ++column) {
        winding += std::exchange(line[column], 0);
        pixels[column] = laidOver(scaled(source, weightOf(winding)), pixels[column]);
    }
}

} // namespace

PixelRect PixelRect::united(const PixelRect& other) const {
    if (other.isEmpty()) {
        return *this;
    }
    if (isEmpty()) {
        return other;
    }
    const int left = std::min(x, other.x);
    const int top = std::min(y, other.y);
    return {left, top, std::max(right(), other.right()) - left,
            std::max(bottom(), other.bottom()) - top};
}

RasterCode fastestRasterCode() {
#if defined(__x86_64__)
    if (__builtin_cpu_supports("avx2")) {
        return RasterCode::avx2;
    }
#endif
    return RasterCode::baseline;
}

RasterCanvas::RasterCanvas(PixelBuffer target, RasterCode code)
    : target_(target)
    , code_(code) {}

void RasterCanvas::reset(PixelBuffer target) {
    target_ = target;
    current_ = {};
    saved_.clear();
    paintedBounds_ = {};
}

void RasterCanvas::save() {
    saved_.push_back(current_);
}

void RasterCanvas::restore() {
    if (saved_.empty()) {
        return;
    }
    current_ = saved_.back();
    saved_.pop_back();
}

void RasterCanvas::translate(double dx, double dy) {
    current_ = current_.after(CanvasTransform::translation(dx, dy));
}

void RasterCanvas::rotate(double degrees) {
    current_ = current_.after(CanvasTransform::rotation(degrees));
}

void RasterCanvas::scale(double sx, double sy) {
    current_ = current_.after(CanvasTransform::scaling(sx, sy));
}

void RasterCanvas::fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) {
    if (!(opacity > 0)) {
        return;
    }
    quads_.clear();
    Bounds bounds;
    for (const CanvasRect& rect : rects) {
        // Corners in one turning order, so every rectangle winds the same way.
        const Quad corners{current_.map(rect.x, rect.y), current_.map(rect.x + rect.width, rect.y),
                           current_.map(rect.x + rect.width, rect.y + rect.height),
                           current_.map(rect.x, rect.y + rect.height)};
        const bool finite = std::ranges::all_of(corners, [](const auto& point) {
            return std::isfinite(point.first) && std::isfinite(point.second);
        });
        if (finite) {
            bounds.include(corners);
            quads_.push_back(corners);
        }
    }
    const std::optional<Area> area = areaWithin(bounds);
    if (!area) {
        return;
    }
    prepare(*area);
    if (code_ == RasterCode::avx2) {
        withAvx2([&] { paint<8>(*area, color, opacity); });
    } else {
        paint<4>(*area, color, opacity);
    }
    paintedBounds_ = paintedBounds_.united({area->left, area->top, area->columns - 1, area->rows});
}

// The pixels the bounds reach, or nothing when they miss the target.
std::optional<RasterCanvas::Area> RasterCanvas::areaWithin(const Bounds& bounds) const {
    const auto pixel = [](double value, int size) {
        return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(size)));
    };
    const int left = pixel(std::floor(bounds.minX), target_.width);
    const int right = pixel(std::ceil(bounds.maxX), target_.width);
    const int top = pixel(std::floor(bounds.minY), target_.height);
    const int bottom = pixel(std::ceil(bounds.maxY), target_.height);
    if (right <= left || bottom <= top) {
        return std::nullopt;
    }
    return Area{left, top, right - left + 1, bottom - top};
}

// The buffers only ever grow; what they hold is already zero.
void RasterCanvas::prepare(Area area) {
    const auto rows = static_cast<std::size_t>(area.rows);
    const std::size_t entries = static_cast<std::size_t>(area.columns) * rows;
    // Three more for the last row's four at a time, which add nothing there.
    if (accumulation_.size() < entries + 3) {
        accumulation_.resize(entries + 3);
    }
    firstTouched_.assign(rows, area.columns);
    lastTouched_.assign(rows, -1);
}

// Every edge of the quads into the accumulation, then the colour over the pixels.
template <int lanes>
void RasterCanvas::paint(Area area, RgbColor color, double opacity) {
    for (const Quad& corners : quads_) {
        for (std::size_t k = 0; k < 4; ++k) {
            const auto& [x0, y0] = corners[k];
            const auto& [x1, y1] = corners[(k + 1) % 4];
            addEdge(area, x0, y0, x1, y1);
        }
    }
    blend<lanes>(area, color, std::min(opacity, 1.0));
}

// Downward edges add, upward ones subtract: summed along a row, the accumulation
// gives each pixel its winding-weighted area.
void RasterCanvas::addEdge(Area area, double x0, double y0, double x1, double y1) {
    if (y0 == y1) {
        return;
    }
    double direction = 1;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
        direction = -1;
    }
    if (x0 == x1) {
        addUprightEdge(area, x0, y0, y1, direction);
        return;
    }
    const double slope = (x1 - x0) / (y1 - y0);
    const double column = std::floor(std::min(x0, x1));
    if (std::min(x0, x1) - column >= insideMargin &&
        std::max(x0, x1) <= column + 1 - insideMargin) {
        addEdgeWithinColumn(area, x0, y0, y1, slope, direction, column);
        return;
    }
    forEachRowCrossed(area, y0, y1, [&](int row, double ya, double yb) {
        const double xa = x0 + (ya - y0) * slope;
        const double xb = x0 + (yb - y0) * slope;
        spreadAcrossRow(area, row, std::min(xa, xb), std::max(xa, xb), direction * (yb - ya));
    });
}

// Calls each with every row of the area the edge from y0 down to y1 crosses, and the part
// of the row it crosses.
template <typename Each>
void RasterCanvas::forEachRowCrossed(Area area, double y0, double y1, Each each) {
    const double areaEnd = area.top + area.rows;
    const int firstRow = static_cast<int>(std::clamp(std::floor(y0), double(area.top), areaEnd));
    const int endRow = static_cast<int>(std::clamp(std::ceil(y1), double(area.top), areaEnd));
    for (int row = firstRow; row < endRow; ++row) {
        const double ya = std::max(y0, static_cast<double>(row));
        const double yb = std::min(y1, static_cast<double>(row + 1));
        if (yb > ya) {
            each(row, ya, yb);
        }
    }
}

// The columns an edge within pixel column x writes to: x gets the part right of the edge,
// the next one the rest, and the winding settles one column further.
// This and the other small steps every row of an edge takes are inline: left as calls,
// they cost more than the work they do.
inline RasterCanvas::SplitColumns RasterCanvas::splitColumns(Area area, double x, double lastX) {
    return {columnOf(area, x), columnOf(area, x + 1), columnOf(area, lastX + 1)};
}

inline void RasterCanvas::addSplit(Area area, int row, const SplitColumns& columns,
                                   std::int32_t part, std::int32_t whole) {
    const auto index = static_cast<std::size_t>(row - area.top);
    firstTouched_[index] = std::min(firstTouched_[index], columns.here);
    lastTouched_[index] = std::max(lastTouched_[index], columns.last);
    add(area, index, columns.here, part);
    add(area, index, columns.next, whole - part);
}

inline int RasterCanvas::columnOf(Area area, double pixel) {
    return static_cast<int>(std::clamp(pixel - area.left, 0.0, area.columns - 1.0));
}

// A slanted edge that stays inside one pixel column: every row takes the road of an edge
// within one column, with the same numbers, but the columns it writes to are found once.
void RasterCanvas::addEdgeWithinColumn(Area area, double x0, double y0, double y1, double slope,
                                       double direction, double column) {
    const SplitColumns columns = splitColumns(area, column, column + 1);
    forEachRowCrossed(area, y0, y1, [&](int row, double ya, double yb) {
        const double xa = x0 + (ya - y0) * slope;
        const double xb = x0 + (yb - y0) * slope;
        const double middle = (std::min(xa, xb) + std::max(xa, xb)) / 2 - column;
        const double amount = direction * (yb - ya);
        addSplit(area, row, columns, fixed(amount * (1 - middle)), fixed(amount));
    });
}

// An edge at one x: every row it crosses splits its amount between the same two
// columns in the same proportion, so the split is worked out once, and once more only
// for the partly crossed rows at its ends. The numbers are those the general road
// gives an edge that stays within one pixel column.
void RasterCanvas::addUprightEdge(Area area, double x, double y0, double y1, double direction) {
    const double startPixel = std::floor(x);
    const SplitColumns columns = splitColumns(area, startPixel, std::ceil(x));
    const double share = 1 - ((x + x) / 2 - startPixel);
    const std::int32_t wholeRow = fixed(direction);
    const std::int32_t wholeRowHere = fixed(direction * share);
    forEachRowCrossed(area, y0, y1, [&](int row, double ya, double yb) {
        if (yb - ya == 1) {
            addSplit(area, row, columns, wholeRowHere, wholeRow);
            return;
        }
        const double amount = direction * (yb - ya);
        addSplit(area, row, columns, fixed(amount * share), fixed(amount));
    });
}

// Stores the differences of the covered amount from pixel to pixel, so that a running
// sum along the row restores it. What lies left of the area lands in its first
// column; what lies right of it is never read.
inline void RasterCanvas::spreadAcrossRow(Area area, int row, double xLeft, double xRight,
                                          double amount) {
    const double startPixel = std::floor(xLeft);
    if (xRight <= startPixel + 1) {
        // The edge stays within one pixel column: that pixel gets the part right of
        // the edge's middle, the next one the rest.
        const double middle = (xLeft + xRight) / 2 - startPixel;
        addSplit(area, row, splitColumns(area, startPixel, std::ceil(xRight)),
                 fixed(amount * (1 - middle)), fixed(amount));
        return;
    }
    const auto index = static_cast<std::size_t>(row - area.top);
    firstTouched_[index] = std::min(firstTouched_[index], columnOf(area, startPixel));
    lastTouched_[index] = std::max(lastTouched_[index], columnOf(area, std::ceil(xRight) + 1));
    const double firstColumn = area.left - 1;
    const double lastColumn = area.left + area.columns - 1;
    const int first = static_cast<int>(std::clamp(startPixel, firstColumn, lastColumn));
    const int last = static_cast<int>(std::clamp(std::ceil(xRight), firstColumn, lastColumn));
    // How much of each pixel column lies right of the edge, averaged over the edge's
    // run within the row: 0 well left of the edge, 1 well right of it.
    const RowRun run{xLeft, xRight, 1 / (xRight - xLeft), amount};
    const double rampFirst = rampArea(first + 1, run);
    const std::int32_t coveredFirst = fixed(amount * (rampFirst - rampArea(first, run)));
    // first is at most one column left of the area, where it shares column 0 with the
    // next; the others, up to last within the area, have entries of their own.
    const std::size_t rowStart = index * static_cast<std::size_t>(area.columns);
    accumulation_[rowStart + static_cast<std::size_t>(std::max(first - area.left, 0))] +=
        coveredFirst;
    spreadColumns(accumulation_.data() + rowStart + (first + 1 - area.left), last - first,
                  first + 2, run, rampFirst, coveredFirst);
}

inline void RasterCanvas::add(Area area, std::size_t row, int column, std::int32_t amount) {
    accumulation_[row * static_cast<std::size_t>(area.columns) +
                  static_cast<std::size_t>(column)] += amount;
}

// Source over, in premultiplied 8-bit channels: the colour at its opacity, scaled by
// each pixel's coverage, then what shows through of the pixel below. Only the columns
// between the first and last an edge touched in a row are read.
template <int lanes>
void RasterCanvas::blend(Area area, RgbColor color, double opacity) {
    const std::uint32_t alpha = byte(opacity);
    const std::uint32_t source = scaled(
        0xff000000u | byte(color.red) << 16 | byte(color.green) << 8 | byte(color.blue), alpha);
    for (int row = 0; row < area.rows; ++row) {
        const auto index = static_cast<std::size_t>(row);
        if (lastTouched_[index] < 0) {
            continue;
        }
        std::int32_t* line = accumulation_.data() + index * area.columns;
        std::uint32_t* pixels =
            target_.pixels + static_cast<std::size_t>(area.top + row) * target_.stride + area.left;
        const int end = std::min(lastTouched_[index], area.columns - 2) + 1;
        // Started up to lanes - 1 columns early where there is room, the row is read in
        // whole vectors: left of the first touched column nothing is covered, and those
        // pixels stay as they are.
        const int first = firstTouched_[index];
        const int early = std::min((lanes - (end - first) % lanes) % lanes, first);
        blendRow<lanes>(line, pixels, first - early, end, source, alpha);
        // What falls off the right lands in the last column, which is never blended; it
        // is cleared all the same.
        line[area.columns - 1] = 0;
    }
}

} // namespace purlo
