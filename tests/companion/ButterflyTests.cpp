#include "companion/ButterflyFrameView.h"
#include "companion/RasterCanvas.h"
#include "companion/qt/ButterflyView.h"
#include "tests/companion/BuildFolder.h"
#include "tests/companion/CatImages.h"
#include "tests/support/FakeClock.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <numbers>
#include <optional>

namespace purlo {
namespace {

constexpr int side = 72; // 4 points a cell

QImage renderButterfly(double flap, int scale = 1) {
    QImage image = testing::blankImage(QSize(side, side) * scale);
    RasterCanvas canvas(testing::pixelsOf(image));
    canvas.scale(scale, scale);
    ButterflyFrameView{flap}.draw(canvas, side);
    return image;
}

struct Probe {
    int x;
    int y;
    std::optional<RgbColor> color; // nothing: clear
};

void expectProbes(const QImage& image, std::initializer_list<Probe> probes, double flap) {
    for (const Probe& probe : probes) {
        if (probe.color) {
            EXPECT_TRUE(testing::pixelIs(image, probe.x, probe.y, *probe.color)) << "flap " << flap;
        } else {
            EXPECT_EQ(image.pixelColor(probe.x, probe.y).alpha(), 0)
                << "flap " << flap << " at " << probe.x << ", " << probe.y;
        }
    }
}

constexpr RgbColor outline = ButterflyFrameView::outlineColor;
constexpr RgbColor wing = ButterflyFrameView::wingColor;
constexpr RgbColor edge = ButterflyFrameView::edgeColor;
constexpr RgbColor body = ButterflyFrameView::bodyColor;

TEST(Butterfly, WingsFoldAtFlapZeroAndSpreadAtFlapOne) {
    // Folded: upper wings 2.2 cells wide, lower ones at their 1.4-cell minimum.
    expectProbes(renderButterfly(0),
                 {{29, 26, edge},
                  {43, 26, edge},
                  {20, 26, {}},
                  {52, 26, {}},
                  {29, 42, outline},
                  {31, 40, edge},
                  {27, 42, {}},
                  {36, 30, body},
                  {30, 10, outline},
                  {41, 10, outline},
                  {36, 10, {}}},
                 0);
    // Spread: upper wings 5.6 cells, the right outline ending at 60.4 points; lower
    // wings 1.6 cells narrower.
    expectProbes(renderButterfly(1),
                 {{15, 26, edge},
                  {20, 26, wing},
                  {29, 26, wing},
                  {56, 26, edge},
                  {59, 26, outline},
                  {61, 26, {}},
                  {21, 42, edge},
                  {18, 42, outline},
                  {17, 42, {}},
                  {36, 30, body}},
                 1);
}

TEST(ButterflyView, BeatsOncePerPiOverNineSecondsAndAnimatesOnlyWhileShown) {
    const double beat = std::numbers::pi / 9;
    for (const auto& [time, flap] : {std::pair{0.0, 0.0}, {beat / 2, 1.0}, {beat, 0.0}}) {
        EXPECT_NEAR(ButterflyFrameView::flapAt(time), flap, 1e-12) << time;
    }
    testing::FakeClock clock(0, Date{beat / 2});
    ButterflyView view;
    view.setClock(clock);
    view.resize(view.sizeHint());
    QImage image = testing::blankImage(QSize(side, side));
    view.render(&image);
    EXPECT_TRUE(testing::pixelIs(image, 15, 26, edge));

    EXPECT_FALSE(view.isAnimating());
    view.show();
    EXPECT_TRUE(view.isAnimating());
    view.hide();
    EXPECT_FALSE(view.isAnimating());
}

TEST(Butterfly, WritesBothWingPositionsForAPersonToLookAt) {
    const auto folder = testing::artifactsFolder();
    if (!folder) {
        GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): no picture written";
    }
    constexpr int scale = 4;
    QImage sheet(side * scale * 2, side * scale, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x8f, 0xa6, 0xb8));
    QPainter painter(&sheet);
    painter.drawImage(0, 0, renderButterfly(0, scale));
    painter.drawImage(side * scale, 0, renderButterfly(1, scale));
    painter.end();
    EXPECT_TRUE(sheet.save(folder->filePath("butterfly.png"), "PNG"));
}

} // namespace
} // namespace purlo
