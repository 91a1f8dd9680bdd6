#include "companion/CompanionViewModel.h"
#include "companion/qt/CompanionView.h"
#include "companion/qt/PixelCatView.h"
#include "platform/WindowPixels.h"
#include "tests/support/FakeClock.h"
#include "tests/support/RuntimeHarness.h"

#include <QApplication>
#include <QExposeEvent>
#include <QImage>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace purlo {
namespace {

using testing::RuntimeHarness;

// The window as the window system holds it: each put replaces the pixels it covers.
struct WindowImage final : WindowPixels {
    explicit WindowImage(QSize size)
        : pixels(size, QImage::Format_ARGB32_Premultiplied) {
        pixels.fill(Qt::transparent);
    }
    bool put(std::uint64_t, PixelArea area, const std::uint32_t* first, int stride) override {
        if (!takes) {
            return false;
        }
        for (int row = 0; row < area.height; ++row) {
            std::copy_n(first + static_cast<std::ptrdiff_t>(row) * stride, area.width,
                        reinterpret_cast<std::uint32_t*>(pixels.scanLine(area.y + row)) + area.x);
        }
        areas.push_back(area);
        return true;
    }

    bool takes = true;
    QImage pixels;
    std::vector<PixelArea> areas;
};

struct PaintCount final : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

// The most any channel of a pixel differs between two pictures of one size.
int largestDifference(const QImage& left, const QImage& right) {
    int largest = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb a = left.pixel(x, y);
            const QRgb b = right.pixel(x, y);
            largest =
                std::max({largest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
        }
    }
    return largest;
}

QRect qtRect(const PixelArea& area) {
    return {area.x, area.y, area.width, area.height};
}

// Her frames go past the toolkit only where a point is a whole number of pixels; elsewhere
// (one and a half, say) the toolkit paints them.
bool wholePixelsToAPoint() {
    const double density = qApp->devicePixelRatio();
    return density == std::floor(density);
}

// She bounces and cheers: every frame changes much of her.
CompanionScene celebrating() {
    CompanionScene scene;
    scene.pose = CatPose::celebrate;
    scene.mood = CatMood::celebrating;
    return scene;
}

const QWidget* bubbleOf(const CompanionView& view) {
    return &view.bubble();
}

const QWidget* timerOf(const CompanionView& view) {
    return &view.timerLabel();
}

// Her view alone as a window of its own, showing scene, her frames drawn for the clock.
struct StraightView {
    explicit StraightView(const CompanionScene& scene)
        : model(CompanionViewModel::makeSnapshot(scene, {})) {
        view.putFramesThrough(window);
        view.show();
        QApplication::processEvents();
        cat = view.findChild<PixelCatView*>();
        cat->setClock(clock);
    }
    // Window pixels to a point.
    int density() const { return static_cast<int>(view.devicePixelRatio()); }
    void nextFrame() {
        clock.setNow(Date{clock.now().secondsSinceReferenceDate + 1.0 / 24});
        cat->advanceFrame();
    }

    RuntimeHarness harness;
    CompanionViewModel model;
    CompanionView view{harness.runtime(), model, harness.loop, {}};
    WindowImage window{view.size() * density()};
    testing::FakeClock clock{1000, Date{700000000}};
    PixelCatView* cat = nullptr;
};

// Straight into the window or composed with what lies over her first, her frame leaves
// the window as the toolkit paints it from the same frame: her bounces reach into her
// bubble's tail and beside her timer. A bubble on its way is its picture resampled, whose
// rounding may differ by 1 in 255 at a few pixels with where the painting starts.
TEST(CompanionView, HerFramesGoStraightIntoHerWindowAsTheToolkitWouldPaintThem) {
    if (!wholePixelsToAPoint()) {
        GTEST_SKIP() << "at a fraction of a pixel to a point the toolkit paints her frames";
    }
    const CompanionScene bouncing = celebrating();
    CompanionScene talking = bouncing;
    talking.message = CompanionMessage{"Done! Nice work.", CompanionMessage::Kind::happy};
    CompanionScene timing = bouncing;
    timing.timerLabel = "F1 24:59";
    const struct {
        const char* what;
        CompanionScene scene;
        double bubbleSeconds; // how long the bubble has been coming
        const QWidget* (*over)(const CompanionView&);
        int tolerance;
    } cases[] = {
        {"nothing over her", bouncing, 0, nullptr, 0},
        {"her bubble at rest", talking, 2, &bubbleOf, 0},
        {"her bubble on its way", talking, 0.05, &bubbleOf, 1},
        {"her timer", timing, 0, &timerOf, 0},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        StraightView straight(each.scene);
        straight.harness.loop.advance(each.bubbleSeconds);
        bool composed = false;
        for (int frame = 0; frame < 12; ++frame) {
            straight.window.areas.clear();
            straight.nextFrame();
            ASSERT_FALSE(straight.window.areas.empty()) << "frame " << frame;
            const QRect over =
                each.over == nullptr ? QRect() : each.over(straight.view)->geometry();
            const int density = straight.density();
            for (const PixelArea& area : straight.window.areas) {
                composed = composed || qtRect(area).intersects(
                                           QRect(over.topLeft() * density, over.size() * density));
            }
            const QImage painted =
                straight.view.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            for (const PixelArea& area : straight.window.areas) {
                EXPECT_LE(largestDifference(straight.window.pixels.copy(qtRect(area)),
                                            painted.copy(qtRect(area))),
                          each.tolerance)
                    << "frame " << frame << " at " << area.x << ", " << area.y;
            }
        }
        EXPECT_EQ(composed, each.over != nullptr);
    }
}

// The toolkit keeps its own copy of the window and shows it when the window system asks
// for the window again: frames put past it are painted into it afresh first. A window
// that takes no pixels leaves every frame to the toolkit.
TEST(CompanionView, WhereTheWindowTakesNoPixelsOrShowsAgainTheToolkitPaintsHer) {
    if (!wholePixelsToAPoint()) {
        GTEST_SKIP() << "at a fraction of a pixel to a point the toolkit paints her frames";
    }
    StraightView straight(celebrating());
    PaintCount count;
    straight.cat->installEventFilter(&count);
    QWindow* handle = straight.view.windowHandle();
    QExposeEvent exposed(QRegion(0, 0, handle->width(), handle->height()));
    const auto paintsWhen = [&](const std::function<void()>& step) {
        const int before = count.paints;
        step();
        QApplication::processEvents();
        return count.paints - before;
    };

    straight.window.takes = false;
    EXPECT_GE(paintsWhen([&] { straight.nextFrame(); }), 1);
    EXPECT_TRUE(straight.window.areas.empty());
    EXPECT_EQ(paintsWhen([&] { QCoreApplication::sendEvent(handle, &exposed); }), 0)
        << "the toolkit's copy was up to date";

    straight.window.takes = true;
    EXPECT_EQ(paintsWhen([&] { straight.nextFrame(); }), 0);
    EXPECT_FALSE(straight.window.areas.empty());
    EXPECT_GE(paintsWhen([&] { QCoreApplication::sendEvent(handle, &exposed); }), 1);
    EXPECT_EQ(paintsWhen([&] { QCoreApplication::sendEvent(handle, &exposed); }), 0)
        << "nothing is behind any more";
}

// Where a point is not a whole number of pixels, no frame goes past the toolkit: it paints
// every one, as it would without the window's pixels.
TEST(CompanionView, AtAFractionOfAPixelToAPointTheToolkitPaintsEveryFrame) {
    if (wholePixelsToAPoint()) {
        GTEST_SKIP() << "runs where a point is a fraction of a pixel (QT_SCALE_FACTOR=1.5)";
    }
    StraightView straight(celebrating());
    PaintCount count;
    straight.cat->installEventFilter(&count);
    for (int frame = 0; frame < 6; ++frame) {
        const int before = count.paints;
        straight.nextFrame();
        QApplication::processEvents();
        EXPECT_GE(count.paints - before, 1) << "frame " << frame;
    }
    EXPECT_TRUE(straight.window.areas.empty());
}

} // namespace
} // namespace purlo
