#include "companion/RasterCanvas.h"
#include "companion/ReferencePurloCatView.h"
#include "tests/companion/CatImages.h"
#include "tests/companion/QPainterCanvas.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace purlo {
namespace {

constexpr RgbColor white{1, 1, 1};

// A buffer with a guard column on the right that nothing may touch.
struct Pixels {
    Pixels(int width, int height)
        : width(width)
        , height(height)
        , words(static_cast<std::size_t>((width + 1) * height), 0) {}

    PixelBuffer buffer() { return {words.data(), width, height, width + 1}; }
    std::uint32_t at(int x, int y) const {
        return words[static_cast<std::size_t>(y * (width + 1) + x)];
    }
    int alpha(int x, int y) const { return static_cast<int>(at(x, y) >> 24); }
    double totalCoverage() const {
        double total = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                total += alpha(x, y) / 255.0;
            }
        }
        return total;
    }
    bool guardUntouched() const {
        for (int y = 0; y < height; ++y) {
            if (at(width, y) != 0) {
                return false;
            }
        }
        return true;
    }

    int width;
    int height;
    std::vector<std::uint32_t> words;
};

TEST(RasterCanvas, CoversEachPixelByTheAreaUnderTheCells) {
    struct Case {
        const char* name;
        std::vector<CanvasRect> rects;
        std::vector<int> alphas; // of the first row, left to right
    };
    const Case cases[] = {
        {"half pixels at both ends", {{0.5, 0, 2, 1}}, {128, 255, 128, 0}},
        {"a quarter", {{3.25, 0, 0.5, 0.5}}, {0, 0, 0, 64}},
        {"touching halves meet without a seam",
         {{0, 0, 1.5, 1}, {1.5, 0, 1.5, 1}},
         {255, 255, 255, 0}},
        {"an overlap gets one coat", {{0, 0, 3, 1}, {1, 0, 3, 1}}, {255, 255, 255, 255}},
        {"nothing for an empty cell", {{1, 0, 0, 1}}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Pixels pixels(4, 1);
        RasterCanvas canvas(pixels.buffer());
        canvas.fillRects(c.rects, white, 1);
        for (int x = 0; x < 4; ++x) {
            EXPECT_NEAR(pixels.alpha(x, 0), c.alphas[static_cast<std::size_t>(x)], 1)
                << c.name << " at " << x;
        }
    }
}

TEST(RasterCanvas, ATurnedCellKeepsItsArea) {
    for (const double degrees : {0.0, 2.0, 30.0, 45.0, 90.0, 179.0}) {
        Pixels pixels(40, 40);
        RasterCanvas canvas(pixels.buffer());
        canvas.translate(20, 20);
        canvas.rotate(degrees);
        canvas.scale(1.5, 1.5);
        const CanvasRect cell{-6.3, -4.1, 12.6, 8.2};
        canvas.fillRects({&cell, 1}, white, 1);
        EXPECT_NEAR(pixels.totalCoverage(), 12.6 * 8.2 * 2.25, 1.0) << degrees;
        EXPECT_EQ(pixels.alpha(20, 20), 255) << degrees;
    }
}

TEST(RasterCanvas, StaysInsideItsPixelsWhateverTheCells) {
    constexpr double huge = 1e12;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<CanvasRect> rects{
        {-huge, -huge, 2 * huge, 2 * huge}, // covers everything
        {nan, 0, 1, 1},                     // skipped
        {0, 0, std::numeric_limits<double>::infinity(), 1},
        {-5, 2.5, 3, 1}, // entirely left of the pixels
    };
    Pixels pixels(6, 4);
    RasterCanvas canvas(pixels.buffer());
    canvas.fillRects(rects, white, 1);
    EXPECT_TRUE(pixels.guardUntouched());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(pixels.alpha(x, y), 255) << x << ", " << y;
        }
    }

    Pixels beside(6, 4);
    RasterCanvas offToTheSide(beside.buffer());
    const std::vector<CanvasRect> outside{{-5, 0, 4, 4}, {7, 0, 4, 4},    {0, -9, 6, 3},
                                          {0, 5, 6, 9},  {huge, 0, 4, 4}, {0, -huge, 4, 4}};
    offToTheSide.fillRects(outside, white, 1);
    EXPECT_EQ(beside.totalCoverage(), 0);
    EXPECT_TRUE(beside.guardUntouched());
}

// Qt's own antialiased rasteriser and ours must paint the same cat.
TEST(RasterCanvas, PaintsTheCatAsQtWould) {
    struct Case {
        CatPose pose;
        CatMood mood;
        Size gaze;
        double time;
    };
    const Case cases[] = {
        {CatPose::stare, CatMood::idle, {0, 0}, 0},
        {CatPose::celebrate, CatMood::celebrating, {0.3, 0.4}, 700000000.13},
        {CatPose::groom, CatMood::idle, {-0.5, 0}, 3.3},
        {CatPose::zoomies, CatMood::idle, {0.2, -0.7}, 12.2},
        {CatPose::sleep, CatMood::sleeping, {0, 1}, 5.5},
    };
    const CatLook look{CatSkinPreset::calico, CatPatternPreset::stripes, CatEyeColorPreset::mint,
                       CatAccessoryPreset::crown};
    for (const Case& c : cases) {
        const ReferencePurloCatView view{testing::stillScene(c.pose, c.mood, c.gaze), look, c.time};
        QImage ours = testing::blankImage({256, 256});
        RasterCanvas raster(testing::pixelsOf(ours));
        raster.scale(2, 2);
        view.draw(raster, 128, 128);

        QImage qt = testing::blankImage({256, 256});
        {
            QPainter painter(&qt);
            testing::QPainterCanvas reference(painter);
            reference.scale(2, 2);
            view.draw(reference, 128, 128);
        }

        int differing = 0;
        int painted = 0;
        long total = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const QColor a = ours.pixelColor(x, y);
                const QColor b = qt.pixelColor(x, y);
                const int difference =
                    std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                              std::abs(a.blue() - b.blue()), std::abs(a.alpha() - b.alpha())});
                total += difference;
                painted += a.alpha() == 255 ? 1 : 0;
                differing += difference > 24 ? 1 : 0;
            }
        }
        EXPECT_GT(painted, 20000) << toString(c.pose);
        EXPECT_LT(differing, 100) << toString(c.pose);
        EXPECT_LT(static_cast<double>(total) / (256 * 256), 0.5) << toString(c.pose);
    }
}

} // namespace
} // namespace purlo
