#include "companion/SeamlessRectBatcher.h"
#include "tests/companion/CatImages.h"
#include "tests/support/RecordingCanvas.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace purlo {
namespace {

using testing::RecordingCanvas;

constexpr RgbColor red{1, 0, 0};
constexpr RgbColor blue{0, 0, 1};

struct Cell {
    RgbColor color;
    double opacity;
    int contextID;
};

TEST(SeamlessRectBatcher, FillsOncePerRunOfColourOpacityAndContext) {
    struct Case {
        const char* name;
        std::vector<Cell> cells;
        std::size_t fills;
    };
    const Case cases[] = {
        {"nothing added", {}, 0},
        {"one run", {{red, 1, 0}, {red, 1, 0}, {red, 1, 0}}, 1},
        {"opacity differs", {{red, 0.96, 0}, {red, 0.94, 0}}, 2},
        {"context differs", {{red, 1, 0}, {red, 1, 1}}, 2},
        {"colour differs", {{red, 1, 0}, {blue, 1, 0}}, 2},
        {"a colour comes back", {{red, 1, 0}, {blue, 1, 0}, {red, 1, 0}}, 3},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        const DrawingContext body(canvas);
        const DrawingContext head(canvas, 10, 10, 30, 0);
        SeamlessRectBatcher batcher;
        for (const Cell& cell : c.cells) {
            batcher.add(cell.color, 0, 0, 1, 1, cell.opacity, 0, 0, 1,
                        cell.contextID == 0 ? body : head, cell.contextID);
        }
        batcher.flush();
        EXPECT_EQ(canvas.fills().size(), c.fills) << c.name;
    }
}

TEST(SeamlessRectBatcher, FillsARunOnlyWhenItEnds) {
    RecordingCanvas canvas;
    const DrawingContext body(canvas);
    {
        SeamlessRectBatcher batcher;
        batcher.add(red, 0, 0, 1, 1, 1, 0, 0, 1, body, 0);
        EXPECT_TRUE(canvas.fills().empty()) << "nothing was pending before the first cell";
        batcher.flush();
        batcher.flush();
        EXPECT_EQ(canvas.fills().size(), 1u) << "a second flush has nothing to fill";

        // The keys stay pending after a flush: the next cell starts a new run quietly.
        batcher.add(red, 2, 0, 1, 1, 1, 0, 0, 1, body, 0);
        EXPECT_EQ(canvas.fills().size(), 1u);
    }
    EXPECT_EQ(canvas.fills().size(), 1u) << "cells pending when the batcher goes are not drawn";

    SeamlessRectBatcher fresh;
    fresh.flush();
    EXPECT_EQ(canvas.fills().size(), 1u);
}

QColor pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

TEST(SeamlessRectBatcher, ARunLeavesNoSeamsAndNoDoubleCoat) {
    QImage image = testing::blankImage({40, 30});
    {
        RasterCanvas canvas(testing::pixelsOf(image));
        const DrawingContext body(canvas);
        SeamlessRectBatcher batcher;
        // Two cells meeting in the middle of a pixel (x = 13.5), then two overlapping ones.
        batcher.add(red, 0, 0, 10, 10, 1, 0, 0, 1.35, body, 0);
        batcher.add(red, 10, 0, 10, 10, 1, 0, 0, 1.35, body, 0);
        batcher.add(blue, 20, 0, 6, 10, 0.5, 0, 15, 1, body, 0);
        batcher.add(blue, 24, 0, 6, 10, 0.5, 0, 15, 1, body, 0);
        batcher.flush();
    }
    EXPECT_EQ(pixel(image, 13, 5).alpha(), 255) << "the shared edge shows through";
    EXPECT_EQ(pixel(image, 13, 5).red(), 255);
    EXPECT_EQ(pixel(image, 25, 20).alpha(), pixel(image, 21, 20).alpha())
        << "the overlap got a second coat";
    EXPECT_NEAR(pixel(image, 25, 20).alpha(), 128, 1);
}

} // namespace
} // namespace purlo
