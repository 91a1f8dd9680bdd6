#include "companion/RasterFrames.h"
#include "companion/qt/PixelCatView.h"
#include "tests/companion/CatImages.h"
#include "tests/support/FakeClock.h"
#include "tests/support/qt/PicturePixels.h"

#include <QApplication>
#include <QPaintEvent>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace purlo {
namespace {

using testing::stillScene;

const CatLook busyLook{CatSkinPreset::calico, CatPatternPreset::stripes, CatEyeColorPreset::sky,
                       CatAccessoryPreset::crown};

// The whole cat at density d in a 168-point square, turned about its middle as given.
void drawCat(RasterCanvas& canvas, int d, const CompanionScene& scene, double time, double turn) {
    canvas.save();
    canvas.scale(d, d);
    canvas.translate(84, 84);
    canvas.rotate(turn);
    canvas.translate(-64, -64);
    ReferencePurloCatView{scene, busyLook, time}.draw(canvas, 128, 128);
    canvas.restore();
}

QImage cat(int d, const CompanionScene& scene, double time, double turn = 0) {
    QImage image = testing::blankImage(QSize(168, 168) * d);
    RasterCanvas canvas(testing::pixelsOf(image));
    drawCat(canvas, d, scene, time, turn);
    return image;
}

// Upright edges take a road of their own; a whole turn sends the same cells down the
// general one, and the pixels must not tell the two apart.
TEST(RasterCanvas, UprightCellsPaintExactlyWhatTheSameCellsTurnedAWholeTurnPaint) {
    const std::tuple<CatPose, CatMood, double> poses[] = {
        {CatPose::stare, CatMood::idle, 0},
        {CatPose::typing, CatMood::typing, 3.3},
        {CatPose::sleep, CatMood::sleeping, 12.2},
        {CatPose::loaf, CatMood::idle, 1},
    };
    for (const int d : {1, 2, 3, 4}) {
        for (const auto& [pose, mood, time] : poses) {
            const CompanionScene scene = stillScene(pose, mood, {0.3, 0.4});
            EXPECT_EQ(cat(d, scene, time), cat(d, scene, time, 360))
                << toString(pose) << " at " << d << "x";
        }
    }
}

TEST(RasterCanvas, ACanvasThatFilledBeforePaintsAsAFreshOne) {
    const CompanionScene second = stillScene(CatPose::loaf, CatMood::sleeping, {-0.4, 0});
    QImage image = testing::blankImage({336, 336});
    RasterCanvas canvas(testing::pixelsOf(image));
    drawCat(canvas, 2, stillScene(CatPose::celebrate, CatMood::celebrating), 0.7, 0);
    image.fill(Qt::transparent);
    drawCat(canvas, 2, second, 2, 0);
    EXPECT_EQ(image, cat(2, second, 2));
}

std::vector<std::uint32_t> rowsOf(std::vector<std::string> rows) {
    std::vector<std::uint32_t> pixels;
    for (const std::string& row : rows) {
        for (const char pixel : row) {
            pixels.push_back(pixel == '.' ? 0 : static_cast<std::uint32_t>(pixel));
        }
    }
    return pixels;
}

TEST(RasterFrames, OneRectanglePerRunOfChangedRowsAcrossItsChangedColumns) {
    struct Case {
        const char* name;
        std::vector<std::string> before, after;
        PixelRect within;
        std::vector<PixelRect> changed;
        int bridgedRows = 0;
    };
    const Case cases[] = {
        {"nothing changed", {"ab..", "...."}, {"ab..", "...."}, {0, 0, 4, 2}, {}},
        {"one pixel", {"ab..", "...."}, {"ac..", "...."}, {0, 0, 4, 2}, {{1, 0, 1, 1}}},
        {"two rows make one run as wide as both",
         {"a...", "...b", "....", "c..."},
         {"....", "..x.", "....", "d..."},
         {0, 0, 4, 4},
         {{0, 0, 4, 2}, {0, 3, 1, 1}}},
        {"an unchanged row bridged",
         {"a...", "....", "c..."},
         {"....", "....", "...d"},
         {0, 0, 4, 3},
         {{0, 0, 4, 3}},
         1},
        {"changes outside the rectangle are not looked for",
         {"a..b", "...."},
         {"x..y", "...."},
         {1, 0, 3, 2},
         {{3, 0, 1, 1}}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint32_t> before = rowsOf(c.before), after = rowsOf(c.after);
        const PixelBuffer a{before.data(), 4, static_cast<int>(c.before.size()), 4};
        const PixelBuffer b{after.data(), 4, static_cast<int>(c.after.size()), 4};
        EXPECT_EQ(changedRows(a, b, c.within, c.bridgedRows), c.changed) << c.name;
    }
}

TEST(RasterFrames, AFrameOfANewSizeChangesEverythingAndALaterOneOnlyWhatMoved) {
    RasterFrames frames;
    const auto square = [](double x) {
        return [x](Canvas& canvas) {
            const CanvasRect cell{x, 2, 3, 3};
            canvas.fillRects({&cell, 1}, {1, 1, 1}, 1);
        };
    };
    EXPECT_EQ(frames.draw(10, 8, square(1)), (std::vector<PixelRect>{{0, 0, 10, 8}}));
    EXPECT_EQ(frames.draw(10, 8, square(1)), std::vector<PixelRect>{});
    EXPECT_EQ(frames.draw(10, 8, square(5)), (std::vector<PixelRect>{{1, 2, 7, 3}}));
    // The buffer that held the first square was cleared where it had painted.
    EXPECT_EQ(frames.current().pixels[2 * 10 + 1], 0u);
    EXPECT_EQ(frames.current().pixels[2 * 10 + 5], 0xffffffffu);
    EXPECT_EQ(frames.draw(12, 8, square(5)), (std::vector<PixelRect>{{0, 0, 12, 8}}));
    EXPECT_EQ(frames.draw(0, 0, square(5)), std::vector<PixelRect>{});
}

// Records the region of every paint the view gets.
struct PaintRegions : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        }
        return false;
    }
    std::vector<QRegion> regions;
};

// On the window, frame after frame, what she shows is what a full repaint of that
// instant shows, though each frame repaints only a part of her view.
TEST(PixelCatView, FrameAfterFrameTheWindowShowsWhatAFullRepaintShows) {
    testing::FakeClock clock{1000, Date{700000000}};
    PixelCatView view(stillScene(CatPose::idle), busyLook.skin, busyLook.pattern, busyLook.eyeColor,
                      busyLook.accessory);
    const QRectF frame(20, 20, 128, 128);
    view.resize(168, 168);
    view.setFrame(frame, 1);
    view.setClock(clock);
    view.show();
    QApplication::processEvents();
    PaintRegions paints;
    view.installEventFilter(&paints);
    // On a dense screen the window shows device pixels: the full repaint is drawn at the
    // same density.
    const double density = view.devicePixelRatioF();

    const CompanionScene typing = stillScene(CatPose::typing, CatMood::typing, {0.5, 0.2});
    for (int step = 0; step < 12; ++step) {
        clock.setNow(Date{700000000 + step / 12.0});
        if (step == 6) {
            view.setScene(typing);
        }
        view.advanceFrame();
        QApplication::processEvents();
        QImage full(QSize(168, 168) * density, QImage::Format_ARGB32_Premultiplied);
        full.setDevicePixelRatio(density);
        full.fill(view.palette().window().color());
        QPainter painter(&full);
        CatFramePainter().paint(painter, QSizeF(168, 168), frame, 1, view.scene(), busyLook,
                                clock.now().secondsSinceReferenceDate);
        painter.end();
        EXPECT_EQ(testing::windowPixels(view), full) << "step " << step;
    }
    ASSERT_FALSE(paints.regions.empty());
    const auto area = [](const QRegion& region) {
        long total = 0;
        for (const QRect& rect : region) {
            total += static_cast<long>(rect.width()) * rect.height();
        }
        return total;
    };
    EXPECT_LT(area(paints.regions.front()), 168 * 168 / 2) << "breathing repaints a fraction";
}

// A frame is on the window when advanceFrame returns: the frame clock's wake paints it,
// without another turn of the loop.
TEST(PixelCatView, AFrameIsPaintedBeforeTheLoopTurnsAgain) {
    testing::FakeClock clock{1000, Date{700000000}};
    PixelCatView view(stillScene(CatPose::idle), busyLook.skin, busyLook.pattern, busyLook.eyeColor,
                      busyLook.accessory);
    view.resize(168, 168);
    view.setFrame(QRectF(20, 20, 128, 128), 1);
    view.setClock(clock);
    view.show();
    QApplication::processEvents();
    PaintRegions paints;
    view.installEventFilter(&paints);
    for (int step = 1; step <= 6; ++step) {
        clock.setNow(Date{700000000 + step / 12.0});
        view.advanceFrame();
        const std::size_t painted = paints.regions.size();
        EXPECT_GE(painted, static_cast<std::size_t>(step)) << "step " << step;
        QApplication::processEvents();
        EXPECT_EQ(paints.regions.size(), painted) << "step " << step << " painted late";
    }
}

bool showsAnything(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

// On a clear window her pixels replace the cleared ones instead of being blended on them:
// the same picture, whatever she is doing and wherever the paint falls.
TEST(PixelCatView, OnClearGroundSheLooksTheSameLaidDownAsBlended) {
    testing::FakeClock clock{1000, Date{700000000.25}};
    const auto shown = [&](const CompanionScene& scene, bool clearGround, const QRect& area) {
        QWidget window;
        window.setAttribute(Qt::WA_TranslucentBackground);
        window.resize(168, 168);
        auto* view = new PixelCatView(scene, busyLook.skin, busyLook.pattern, busyLook.eyeColor,
                                      busyLook.accessory, &window);
        view->setGeometry(4, 4, 160, 160);
        view->setFrame(QRectF(16, 16, 128, 128), 1);
        view->setClock(clock);
        view->setClearGround(clearGround);
        return window.grab(area).toImage();
    };
    const std::tuple<const char*, CompanionScene, QRect> cases[] = {
        {"idle, whole", stillScene(CatPose::idle), QRect(0, 0, 168, 168)},
        {"typing, whole", stillScene(CatPose::typing, CatMood::typing, {0.5, 0.2}),
         QRect(0, 0, 168, 168)},
        {"idle, a corner across her edge", stillScene(CatPose::idle), QRect(30, 90, 70, 60)},
    };
    for (const auto& [name, scene, area] : cases) {
        const QImage blended = shown(scene, false, area);
        EXPECT_EQ(shown(scene, true, area), blended) << name;
        EXPECT_TRUE(showsAnything(blended)) << name;
    }
}

} // namespace
} // namespace purlo
