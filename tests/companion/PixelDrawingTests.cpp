#include "companion/ButterflyFrameView.h"
#include "companion/CatEyeLayer.h"
#include "companion/PixelColors.h"
#include "companion/qt/PixelCatView.h"
#include "model/CatLookPresets.h"
#include "tests/companion/BuildFolder.h"
#include "tests/companion/CatImages.h"
#include "tests/support/FakeClock.h"

#include <QPainterPath>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <numbers>
#include <numeric>
#include <optional>
#include <string>
#include <tuple>

namespace purlo {
namespace {

using testing::over;
using testing::pixelIs;
using testing::renderCat;
using testing::stillScene;

// Grid points where one layer shows alone in a still, sitting cat.
constexpr double furX = 374, furY = 370;   // the chest side, under no marking
constexpr double irisX = 200, irisY = 178; // the left iris, beside the pupil

CatLook lookWith(CatSkinPreset skin, CatPatternPreset pattern = CatPatternPreset::tuxedo,
                 CatEyeColorPreset eyes = CatEyeColorPreset::cocoa,
                 CatAccessoryPreset accessory = CatAccessoryPreset::none) {
    return {skin, pattern, eyes, accessory};
}

std::vector<int> differences(const QImage& a, const QImage& b) {
    std::vector<int> all;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            all.push_back(
                std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                          std::abs(p.blue() - q.blue()), std::abs(p.alpha() - q.alpha())}));
        }
    }
    return all;
}

TEST(CatPixels, EachSkinPaintsItsFurRimTailAndEachEyeColourItsIris) {
    for (const CatSkinPreset skin : allCases<CatSkinPreset>()) {
        const PurloFurPalette palette = PurloFurPalette::make(skin);
        const QImage image = renderCat(stillScene(), lookWith(skin), 0);
        EXPECT_TRUE(pixelIs(image, furX, furY, palette.body)) << toString(skin);
        EXPECT_TRUE(pixelIs(image, 129, 225, palette.socket)) << toString(skin); // head rim
        EXPECT_TRUE(pixelIs(image, 60, 462, palette.tail)) << toString(skin);    // tail tip
        EXPECT_TRUE(pixelIs(image, 285, 208.5, noseColor)) << toString(skin);    // nose
    }
    const PurloFurPalette tuxedo = PurloFurPalette::make(CatSkinPreset::tuxedo);
    for (const CatEyeColorPreset eyes : allCases<CatEyeColorPreset>()) {
        const QImage image = renderCat(
            stillScene(), lookWith(CatSkinPreset::tuxedo, CatPatternPreset::tuxedo, eyes), 0);
        EXPECT_TRUE(
            pixelIs(image, irisX, irisY, over(CatEyeLayer::eyeColor(eyes), tuxedo.socket, 0.98)))
            << toString(eyes);
        // The pupil at rest sits on the side she faces.
        EXPECT_TRUE(pixelIs(image, 243, 175, tuxedo.socket)) << toString(eyes);
    }
}

TEST(CatPixels, EachPatternMarksTheCoat) {
    const PurloFurPalette calico = PurloFurPalette::make(CatSkinPreset::calico);
    const RgbColor bib = over(white, calico.body, 0.96);
    using enum CatPatternPreset;
    const std::tuple<CatPatternPreset, double, double, RgbColor> cases[] = {
        {tuxedo, 160, 370, calico.body},
        {classic, 150, 349, over(calico.pattern, calico.body, 0.34)},
        {solid, 300, 320, over(calico.body, bib, 0.16)},
        {mask, 170, 190, over(calico.shadow, calico.body, 0.34)},
        {socks, 225, 500, over(white, calico.body, 0.4)},
        {spots, 160, 360, over(calico.pattern, calico.body, 0.48)},
        {stripes, 160, 370, over(calico.stripe, calico.body, 0.42)},
    };
    for (const auto& [pattern, x, y, color] : cases) {
        const QImage image = renderCat(stillScene(), lookWith(CatSkinPreset::calico, pattern), 0);
        EXPECT_TRUE(pixelIs(image, x, y, color)) << toString(pattern);
        EXPECT_TRUE(pixelIs(image, furX, furY, calico.body)) << toString(pattern);
    }
}

TEST(CatPixels, EachAccessoryIsWornInItsPlace) {
    const RgbColor bib = over(white, PurloFurPalette::make(CatSkinPreset::gray).body, 0.96);
    using enum CatAccessoryPreset;
    const std::tuple<CatAccessoryPreset, double, double, RgbColor> cases[] = {
        {none, 297, 306, bib},
        {bow, 297, 306, {0.62, 0.06, 0.16}},
        {bow, 240, 305, {0.94, 0.14, 0.3}},
        {bell, 303, 322, {1.0, 0.78, 0.18}},
        {bell, 230, 296, {0.8, 0.12, 0.18}},
        {scarf, 340, 360, {0.72, 0.12, 0.2}},
        {tie, 305, 356, {0.898, 0.376, 0.29}},
        {tie, 230, 298, {0.678, 0.243, 0.184}},
        {crown, 279, 57, {0.78, 0.94, 1.0}},
        {crown, 225, 79, {1.0, 0.78, 0.18}},
        {crown, 297, 306, bib},
    };
    for (const auto& [accessory, x, y, color] : cases) {
        const QImage image = renderCat(stillScene(),
                                       lookWith(CatSkinPreset::gray, CatPatternPreset::tuxedo,
                                                CatEyeColorPreset::cocoa, accessory),
                                       0);
        EXPECT_TRUE(pixelIs(image, x, y, color)) << toString(accessory);
    }
}

TEST(CatPixels, FacingLeftMirrorsTheWholeCat) {
    const CatLook look = lookWith(CatSkinPreset::calico, CatPatternPreset::mask,
                                  CatEyeColorPreset::mint, CatAccessoryPreset::scarf);
    // Both gazes point 0.2 ahead of her, so only the mirroring differs.
    const QImage right = renderCat(stillScene(CatPose::stare, CatMood::idle, {0.2, 0}), look, 0);
    const QImage left = renderCat(stillScene(CatPose::stare, CatMood::idle, {-0.2, 0}), look, 0);
    EXPECT_LE(std::ranges::max(differences(right.mirrored(true, false), left)), 1);
    EXPECT_GT(std::ranges::max(differences(right, left)), 100) << "she did not turn at all";
    EXPECT_TRUE(pixelIs(left, 470 - 340, 360, {0.72, 0.12, 0.2})) << "the scarf's end";
}

double coverage(const QImage& image, int columns) {
    double total = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < columns; ++x) {
            total += qAlpha(image.pixel(x, y)) / 255.0;
        }
    }
    return total;
}

TEST(RasterCanvas, CoversEachPixelByTheAreaUnderTheCells) {
    const std::tuple<const char*, std::vector<CanvasRect>, std::array<int, 4>> cases[] = {
        {"half pixels at both ends", {{0.5, 0, 2, 1}}, {128, 255, 128, 0}},
        {"a quarter", {{3.25, 0, 0.5, 0.5}}, {0, 0, 0, 64}},
        {"touching halves, no seam", {{0, 0, 1.5, 1}, {1.5, 0, 1.5, 1}}, {255, 255, 255, 0}},
        {"an overlap gets one coat", {{0, 0, 3, 1}, {1, 0, 3, 1}}, {255, 255, 255, 255}},
        {"nothing for an empty cell", {{1, 0, 0, 1}}, {0, 0, 0, 0}},
    };
    for (const auto& [name, rects, alphas] : cases) {
        QImage image = testing::blankImage({4, 1});
        RasterCanvas(testing::pixelsOf(image)).fillRects(rects, white, 1);
        for (int x = 0; x < 4; ++x) {
            EXPECT_NEAR(qAlpha(image.pixel(x, 0)), alphas[static_cast<std::size_t>(x)], 1)
                << name << " at " << x;
        }
    }
}

// A row is read in fours from its leftmost edge, so cells moved by whole pixels right of
// one that stays put land at every place within those fours. Quarter-pixel edges keep
// their coverage exactly as they move, so the pixels must move with them unchanged, over
// a half-transparent ground that shows whether each pixel was blended once and right.
TEST(RasterCanvas, CellsMovedByWholePixelsPaintTheSamePixelsMoved) {
    const std::tuple<const char*, std::vector<CanvasRect>, double> cases[] = {
        {"one narrow cell", {{0.25, 0, 1, 1}}, 1},
        {"a cell wider than two fours", {{0.25, 0, 10.5, 1}}, 1},
        {"two cells and a gap", {{0.25, 0, 2, 1}, {5.75, 0, 3, 1}}, 1},
        {"half-transparent and overlapping", {{0.25, 0, 6, 1}, {3.5, 0, 6.25, 1}}, 0.5},
    };
    // The cell that stays put covers parts of columns 0 and 1; the moving ones start at
    // column from + shift.
    constexpr int width = 32, from = 3;
    const RgbColor orange{0.9, 0.5, 0.1};
    const auto paint = [&](std::vector<CanvasRect> rects, double opacity, int shift) {
        for (CanvasRect& rect : rects) {
            rect.x += from + shift;
        }
        rects.push_back({0.25, 0, 1, 1});
        QImage image(width, 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(40, 80, 160, 128));
        RasterCanvas(testing::pixelsOf(image)).fillRects(rects, orange, opacity);
        return image;
    };
    for (const auto& [name, rects, opacity] : cases) {
        const QImage unmoved = paint(rects, opacity, 0);
        for (int shift = 1; shift < 8; ++shift) {
            const QImage moved = paint(rects, opacity, shift);
            for (int x = 0; x < width; ++x) {
                const int source = x < from ? x : std::max(x - shift, from - 1);
                EXPECT_EQ(moved.pixel(x, 0), unmoved.pixel(source, 0))
                    << name << ", moved by " << shift << ", at " << x;
            }
        }
    }
}

// The canvas has a copy of its inner loops for processors with AVX2, which reads rows
// eight pixels at a time, then four, then one by one, and spreads slanted edges four
// columns at a time. Moved by every part of eight pixels, these cells put their edges and
// the ends of their rows at every place within those steps; both copies must paint
// exactly the same pixels.
TEST(RasterCanvas, TheAvx2CopyPaintsExactlyWhatTheBaselinePaints) {
    if (fastestRasterCode() != RasterCode::avx2) {
        GTEST_SKIP() << "this processor has no AVX2";
    }
    std::vector<CanvasRect> everyWidth;
    for (int width = 1; width <= 17; ++width) {
        everyWidth.push_back({0.25, width * 1.0, width + 0.5, 0.75});
    }
    const std::tuple<const char*, std::vector<CanvasRect>, double, double> cases[] = {
        {"upright cells of every width", everyWidth, 0, 1},
        {"a cell turned a little: long, nearly level edges", {{-10, 4, 40, 8}}, 3, 1},
        {"half-transparent overlapping cells turned a lot", {{0, 0, 12, 5}, {6, 3, 9, 9}}, 37, 0.6},
        {"cells past both sides of the canvas", {{-5.5, 2, 12, 4}, {30.25, 9, 20, 3}}, -8, 0.8},
    };
    const RgbColor orange{0.9, 0.5, 0.1};
    const auto paint = [&](const std::vector<CanvasRect>& rects, double degrees, double opacity,
                           double shift, RasterCode code) {
        QImage image(41, 20, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(40, 80, 160, 128));
        RasterCanvas canvas(testing::pixelsOf(image), code);
        canvas.translate(shift + 12, 10);
        canvas.rotate(degrees);
        canvas.translate(-12, -10);
        canvas.fillRects(rects, orange, opacity);
        return image;
    };
    for (const auto& [name, rects, degrees, opacity] : cases) {
        for (double shift = 0; shift < 8; shift += 0.5) {
            EXPECT_EQ(paint(rects, degrees, opacity, shift, RasterCode::avx2),
                      paint(rects, degrees, opacity, shift, RasterCode::baseline))
                << name << ", moved by " << shift;
        }
    }
}

TEST(RasterCanvas, StaysInsideItsPixelsWhateverTheCells) {
    constexpr double huge = 1e12, nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<CanvasRect> covering{{-huge, -huge, 2 * huge, 2 * huge},
                                           {nan, 0, 1, 1}, // skipped
                                           {0, 0, std::numeric_limits<double>::infinity(), 1},
                                           {-5, 2.5, 3, 1}};
    const std::vector<CanvasRect> outside{{-5, 0, 4, 4}, {7, 0, 4, 4},    {0, -9, 6, 3},
                                          {0, 5, 6, 9},  {huge, 0, 4, 4}, {0, -huge, 4, 4}};
    for (const auto& [rects, covered] : {std::pair{&covering, 24.0}, {&outside, 0.0}}) {
        // Six by four pixels with a guard column on the right that nothing may touch.
        QImage image = testing::blankImage({7, 4});
        PixelBuffer pixels = testing::pixelsOf(image);
        pixels.width = 6;
        RasterCanvas(pixels).fillRects(*rects, white, 1);
        EXPECT_EQ(coverage(image, 6), covered);
        EXPECT_EQ(coverage(image, 7), covered) << "the guard column was touched";
    }
}

// Qt's own antialiased rasteriser: the reference the software canvas is measured against.
struct QPainterCanvas final : Canvas {
    explicit QPainterCanvas(QPainter& painter)
        : painter(painter) {
        painter.setRenderHint(QPainter::Antialiasing, true);
    }
    void fillRects(std::span<const CanvasRect> rects, RgbColor color, double opacity) override {
        QPainterPath path; // winding: the union is covered once
        path.setFillRule(Qt::WindingFill);
        for (const CanvasRect& rect : rects) {
            path.addRect(rect.x, rect.y, rect.width, rect.height);
        }
        painter.fillPath(
            path, QColor::fromRgbF(static_cast<float>(color.red), static_cast<float>(color.green),
                                   static_cast<float>(color.blue), static_cast<float>(opacity)));
    }
    void save() override { painter.save(); }
    void restore() override { painter.restore(); }
    void translate(double dx, double dy) override { painter.translate(dx, dy); }
    void rotate(double degrees) override { painter.rotate(degrees); }
    void scale(double sx, double sy) override { painter.scale(sx, sy); }

    QPainter& painter;
};

TEST(RasterCanvas, PaintsTheCatAsQtWould) {
    const std::tuple<CatPose, CatMood, Size, double> cases[] = {
        {CatPose::stare, CatMood::idle, {0, 0}, 0},
        {CatPose::celebrate, CatMood::celebrating, {0.3, 0.4}, 700000000.13},
        {CatPose::groom, CatMood::idle, {-0.5, 0}, 3.3},
        {CatPose::zoomies, CatMood::idle, {0.2, -0.7}, 12.2},
        {CatPose::sleep, CatMood::sleeping, {0, 1}, 5.5},
    };
    const CatLook look{CatSkinPreset::calico, CatPatternPreset::stripes, CatEyeColorPreset::mint,
                       CatAccessoryPreset::crown};
    for (const auto& [pose, mood, gaze, time] : cases) {
        const ReferencePurloCatView view{stillScene(pose, mood, gaze), look, time};
        QImage ours = testing::blankImage({256, 256});
        RasterCanvas raster(testing::pixelsOf(ours));
        raster.scale(2, 2);
        view.draw(raster, 128, 128);
        QImage qt = testing::blankImage({256, 256});
        {
            QPainter painter(&qt);
            QPainterCanvas reference(painter);
            reference.scale(2, 2);
            view.draw(reference, 128, 128);
        }
        const std::vector<int> apart = differences(ours, qt);
        const QImage alpha = ours.convertToFormat(QImage::Format_Alpha8);
        const auto painted = std::count(alpha.constBits(), alpha.constBits() + 256 * 256, 255);
        const auto differing = std::ranges::count_if(apart, [](int d) { return d > 24; });
        const long total = std::accumulate(apart.begin(), apart.end(), 0L);
        EXPECT_GT(painted, 20000) << toString(pose);
        EXPECT_LT(differing, 100) << toString(pose);
        EXPECT_LT(static_cast<double>(total) / (256 * 256), 0.5) << toString(pose);
    }
}

TEST(PixelCatView, DrawsItsClocksInstantWhileShownHoldsStillOnRequestAndReachesPastItsFrame) {
    testing::FakeClock clock{1000, Date{4.6}};
    PixelCatView view(stillScene(CatPose::idle), CatSkinPreset::gray, CatPatternPreset::tuxedo,
                      CatEyeColorPreset::mint, CatAccessoryPreset::none);
    view.resize(testing::gridSize);
    view.setClock(clock);
    const RgbColor iris = over(CatEyeLayer::eyeColor(CatEyeColorPreset::mint),
                               PurloFurPalette::make(CatSkinPreset::gray).socket, 0.98);
    const auto eyesOpen = [&] {
        return pixelIs(view.grab().toImage(), irisX, irisY, iris);
    };
    // An idle cat blinks in the last quarter second of every 4.8 s.
    EXPECT_DOUBLE_EQ(view.frameTime(), 4.6);
    EXPECT_FALSE(eyesOpen());
    clock.setNow(Date{5.8});
    EXPECT_TRUE(eyesOpen());
    EXPECT_FALSE(view.frameInterval()) << "nobody sees her before she is shown";
    view.show();
    ASSERT_TRUE(view.frameInterval());
    EXPECT_DOUBLE_EQ(*view.frameInterval(), 1.0 / 12);
    view.hide();
    EXPECT_FALSE(view.frameInterval()) << "hidden, she stops animating";

    view.show();
    clock.setNow(Date{4.6});
    view.setReduceMotion(true);
    EXPECT_FALSE(view.frameInterval());
    EXPECT_EQ(view.frameTime(), 0);
    EXPECT_TRUE(eyesOpen()) << "the still frame is time 0, not the clock's blink";
    // She still follows the scene, without animating between scenes.
    view.setScene(stillScene(CatPose::sleep, CatMood::sleeping));
    EXPECT_FALSE(view.frameInterval());
    EXPECT_FALSE(eyesOpen());
    view.setReduceMotion(false);
    ASSERT_TRUE(view.frameInterval());
    EXPECT_DOUBLE_EQ(*view.frameInterval(), 0.25);

    // The first and last rows where she left any paint, in device pixels, and the frame's
    // middle row there.
    const double density = view.devicePixelRatioF();
    const double middle = 124 * density;
    const auto paintedRows = [&] {
        const QImage image = view.grab().toImage();
        int top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != image.pixel(0, 0)) {
                    top = std::min(top, y);
                    bottom = y;
                    break;
                }
            }
        }
        return std::pair{top, bottom};
    };
    // Being carried lifts her well above the frame she is fitted into.
    clock.setNow(Date{1.0});
    view.setScene(stillScene(CatPose::drag, CatMood::dragged));
    view.resize(200, 200);
    view.setFrame(QRectF(36, 60, 128, 128), 1);
    EXPECT_LT(paintedRows().first, 60 * density) << "nothing of her is cut at the frame";
    // Scaled about the frame's centre.
    view.setScene(stillScene());
    const auto [top, bottom] = paintedRows();
    view.setFrame(QRectF(36, 60, 128, 128), 0.75);
    const auto [smallTop, smallBottom] = paintedRows();
    EXPECT_NEAR(smallBottom - middle, 0.75 * (bottom - middle), 2 * density);
    EXPECT_NEAR(middle - smallTop, 0.75 * (middle - top), 2 * density);
}

constexpr int side = 72; // 4 points a cell

QImage renderButterfly(double flap, int scale = 1) {
    QImage image = testing::blankImage(QSize(side, side) * scale);
    RasterCanvas canvas(testing::pixelsOf(image));
    canvas.scale(scale, scale);
    ButterflyFrameView{flap}.draw(canvas, side);
    return image;
}

TEST(Butterfly, WingsFoldAtFlapZeroAndSpreadAtFlapOne) {
    constexpr RgbColor outline = ButterflyFrameView::outlineColor;
    constexpr RgbColor wing = ButterflyFrameView::wingColor;
    constexpr RgbColor edge = ButterflyFrameView::edgeColor;
    constexpr RgbColor body = ButterflyFrameView::bodyColor;
    using Probes = std::vector<std::tuple<int, int, std::optional<RgbColor>>>; // none: clear
    // Folded: upper wings 2.2 cells wide, lower ones at their 1.4-cell minimum.
    const Probes folded = {{29, 26, edge},    {43, 26, edge},    {20, 26, {}}, {52, 26, {}},
                           {29, 42, outline}, {31, 40, edge},    {27, 42, {}}, {36, 30, body},
                           {30, 10, outline}, {41, 10, outline}, {36, 10, {}}};
    // Spread: upper wings 5.6 cells, the right outline ending at 60.4 points; lower wings
    // 1.6 cells narrower.
    const Probes spread = {{15, 26, edge},    {20, 26, wing}, {29, 26, wing}, {56, 26, edge},
                           {59, 26, outline}, {61, 26, {}},   {21, 42, edge}, {18, 42, outline},
                           {17, 42, {}},      {36, 30, body}};
    for (const auto& [flap, probes] : {std::pair{0.0, &folded}, {1.0, &spread}}) {
        const QImage image = renderButterfly(flap);
        for (const auto& [x, y, color] : *probes) {
            if (color) {
                EXPECT_TRUE(testing::pixelIs(image, x, y, *color)) << "flap " << flap;
            } else {
                EXPECT_EQ(image.pixelColor(x, y).alpha(), 0) << flap << " at " << x << ", " << y;
            }
        }
    }
}

// Every pose in the mood that shows it, then every skin with every pattern on a row of its own.
TEST(PixelPictures, WritesTheButterflyAndEveryPoseAndLookForAPersonToLookAt) {
    const auto folder = testing::artifactsFolder();
    if (!folder) {
        GTEST_SKIP() << "PURLO_BUILD_DIR is not set (ctest sets it): no pictures written";
    }
    QImage butterflies(side * 4 * 2, side * 4, QImage::Format_ARGB32_Premultiplied);
    butterflies.fill(QColor(0x8f, 0xa6, 0xb8));
    QPainter(&butterflies).drawImage(0, 0, renderButterfly(0, 4));
    QPainter(&butterflies).drawImage(side * 4, 0, renderButterfly(1, 4));
    EXPECT_TRUE(butterflies.save(folder->filePath("butterfly.png"), "PNG"));

    constexpr int width = 188, catHeight = 223, height = catHeight + 30, columns = 8;
    const auto poses = allCases<CatPose>();
    const auto skins = allCases<CatSkinPreset>();
    const auto poseRows = static_cast<int>((poses.size() + 5 + columns - 1) / columns);
    QImage sheet(columns * width, (poseRows + static_cast<int>(skins.size())) * height,
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(226, 230, 234));
    QPainter painter(&sheet);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    int cell = 0;
    const auto draw = [&](const CompanionScene& scene, const CatLook& look, const std::string& text,
                          double time = 1) {
        const QPoint at(cell % columns * width, cell / columns * height);
        ++cell;
        painter.fillRect(QRect(at + QPoint(2, 2), QSize(width - 4, catHeight - 4)),
                         QColor(246, 247, 248));
        painter.save();
        painter.translate(at);
        CatFramePainter().paint(painter, QSizeF(width, catHeight), scene, look, time);
        painter.restore();
        painter.setPen(QColor(40, 44, 48));
        painter.drawText(QRect(at + QPoint(0, catHeight), QSize(width, height - catHeight)),
                         Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(text));
    };

    using enum CatPose;
    const std::map<CatPose, CatMood> moods = {
        {hunt, CatMood::hunting},          {swat, CatMood::hunting},
        {crouch, CatMood::hunting},        {typing, CatMood::typing},
        {think, CatMood::thinking},        {sleep, CatMood::sleeping},
        {celebrate, CatMood::celebrating}, {stretch, CatMood::stretching},
        {drag, CatMood::dragged},          {purr, CatMood::purring},
        {greet, CatMood::curious}};
    const CatLook orange{CatSkinPreset::orange, CatPatternPreset::classic, CatEyeColorPreset::mint,
                         CatAccessoryPreset::none};
    for (const CatPose pose : poses) {
        const CatMood mood = moods.contains(pose) ? moods.at(pose) : CatMood::idle;
        // The hunt is caught mid-pounce, paw raised.
        draw(stillScene(pose, mood, {0.2, 0}, pose == yawn ? 0.5 : 0), orange,
             std::string(toString(pose)) + " / " + std::string(toString(mood)),
             pose == hunt ? 0.9 : 1.0);
    }
    draw(stillScene(typing, CatMood::overheated), orange, "typing / overheated");
    draw(stillScene(stare, CatMood::idle, {-0.6, 0}), orange, "looking left");
    draw(stillScene(stare, CatMood::idle, {0.1, 1}), orange, "looking down");
    draw(stillScene(stare, CatMood::idle, {0.3, -1}), orange, "looking up");
    draw(stillScene(crossEyed, CatMood::idle, {0, 1}), orange, "cross-eyed, down");

    const auto accessories = allCases<CatAccessoryPreset>();
    const auto eyes = allCases<CatEyeColorPreset>();
    std::size_t turn = 0;
    for (const CatSkinPreset skin : skins) {
        cell = (cell + columns - 1) / columns * columns;
        for (const CatPatternPreset pattern : allCases<CatPatternPreset>()) {
            const CatLook look{skin, pattern, eyes[turn % eyes.size()],
                               accessories[turn % accessories.size()]};
            ++turn;
            draw(stillScene(), look,
                 std::string(toString(skin)) + " " + std::string(toString(pattern)) + "\n" +
                     std::string(toString(look.eyeColor)) + " eyes, " +
                     std::string(toString(look.accessory)));
        }
    }
    painter.end();
    const QString path = folder->filePath("cat-contact-sheet.png");
    ASSERT_TRUE(sheet.save(path, "PNG")) << path.toStdString();
    EXPECT_FALSE(QImage(path).isNull());
}

} // namespace
} // namespace purlo
