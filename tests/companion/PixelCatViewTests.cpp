#include "companion/CatEyeLayer.h"
#include "companion/PurloFurPalette.h"
#include "companion/qt/PixelCatView.h"
#include "tests/companion/CatImages.h"
#include "tests/support/FakeClock.h"

#include <QImage>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::FakeClock;
using testing::pixelIs;
using testing::stillScene;

constexpr double irisX = 200, irisY = 178;

struct ViewFixture {
    explicit ViewFixture(const CompanionScene& scene)
        : view(scene, CatSkinPreset::gray, CatPatternPreset::tuxedo, CatEyeColorPreset::mint,
               CatAccessoryPreset::none) {
        view.resize(testing::gridSize);
        view.setClock(clock);
    }

    QImage frame() { return view.grab().toImage(); }

    bool eyesOpen() {
        const PurloFurPalette gray = PurloFurPalette::make(CatSkinPreset::gray);
        const RgbColor iris =
            testing::over(CatEyeLayer::eyeColor(CatEyeColorPreset::mint), gray.socket, 0.98);
        return pixelIs(frame(), irisX, irisY, iris);
    }

    FakeClock clock{1000, Date{1.0}};
    PixelCatView view;
};

TEST(PixelCatView, RunsTheFrameClockOfHerMoodWhileShown) {
    struct Case {
        CatMood mood;
        double interval;
    };
    const Case cases[] = {
        {CatMood::idle, 1.0 / 12},       {CatMood::curious, 1.0 / 12},
        {CatMood::thinking, 1.0 / 12},   {CatMood::purring, 1.0 / 12},
        {CatMood::hunting, 1.0 / 24},    {CatMood::typing, 1.0 / 24},
        {CatMood::overheated, 1.0 / 24}, {CatMood::celebrating, 1.0 / 24},
        {CatMood::stretching, 1.0 / 24}, {CatMood::dragged, 1.0 / 24},
        {CatMood::sleeping, 1.0 / 4},
    };
    ViewFixture fixture(stillScene());
    EXPECT_FALSE(fixture.view.frameInterval()) << "nobody sees her before she is shown";
    fixture.view.show();
    for (const Case& c : cases) {
        fixture.view.setScene(stillScene(CatPose::stare, c.mood));
        ASSERT_TRUE(fixture.view.frameInterval()) << toString(c.mood);
        EXPECT_DOUBLE_EQ(*fixture.view.frameInterval(), c.interval) << toString(c.mood);
    }
    fixture.view.hide();
    EXPECT_FALSE(fixture.view.frameInterval()) << "hidden, she stops animating";
}

TEST(PixelCatView, DrawsTheInstantItsClockGives) {
    // An idle cat blinks in the last quarter second of every 4.8 s.
    ViewFixture fixture(stillScene(CatPose::idle));
    fixture.clock.setNow(Date{4.6});
    EXPECT_DOUBLE_EQ(fixture.view.frameTime(), 4.6);
    EXPECT_FALSE(fixture.eyesOpen());
    fixture.clock.setNow(Date{4.8 + 1.0});
    EXPECT_TRUE(fixture.eyesOpen());
}

TEST(PixelCatView, ReduceMotionHoldsOneStillFrame) {
    ViewFixture fixture(stillScene(CatPose::idle));
    fixture.view.show();
    fixture.clock.setNow(Date{4.6});
    fixture.view.setReduceMotion(true);
    EXPECT_FALSE(fixture.view.frameInterval());
    EXPECT_EQ(fixture.view.frameTime(), 0);
    EXPECT_TRUE(fixture.eyesOpen()) << "the still frame is time 0, not the clock's blink";

    // She still follows the scene, without animating between scenes.
    fixture.view.setScene(stillScene(CatPose::sleep, CatMood::sleeping));
    EXPECT_FALSE(fixture.view.frameInterval());
    EXPECT_FALSE(fixture.eyesOpen());

    fixture.view.setReduceMotion(false);
    ASSERT_TRUE(fixture.view.frameInterval());
    EXPECT_DOUBLE_EQ(*fixture.view.frameInterval(), 0.25);
}

TEST(PixelCatView, ANewLookRedrawsHer) {
    ViewFixture fixture(stillScene());
    const PurloFurPalette gray = PurloFurPalette::make(CatSkinPreset::gray);
    const PurloFurPalette calico = PurloFurPalette::make(CatSkinPreset::calico);
    EXPECT_TRUE(pixelIs(fixture.frame(), 374, 370, gray.body));
    fixture.view.setLook({CatSkinPreset::calico, CatPatternPreset::tuxedo, CatEyeColorPreset::mint,
                          CatAccessoryPreset::none});
    EXPECT_TRUE(pixelIs(fixture.frame(), 374, 370, calico.body));
    EXPECT_EQ(fixture.view.look().skin, CatSkinPreset::calico);
}

// The rows of the view where she left any paint (anything unlike the corner's
// background), top and bottom.
std::pair<int, int> paintedRows(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                top = std::min(top, y);
                bottom = y;
                break;
            }
        }
    }
    return {top, bottom};
}

TEST(PixelCatView, AFrameWithRoomAroundItLetsHerReachBeyondIt) {
    // Being carried lifts her well above the frame she is fitted into.
    ViewFixture fixture(stillScene(CatPose::drag, CatMood::dragged));
    fixture.view.resize(200, 200);
    fixture.view.setFrame(QRectF(36, 60, 128, 128), 1);
    EXPECT_LT(paintedRows(fixture.frame()).first, 60) << "nothing of her is cut at the frame";

    // Scaled about the frame's centre.
    fixture.view.setScene(stillScene(CatPose::stare));
    const auto [top, bottom] = paintedRows(fixture.frame());
    fixture.view.setFrame(QRectF(36, 60, 128, 128), 0.75);
    const auto [smallTop, smallBottom] = paintedRows(fixture.frame());
    EXPECT_NEAR(smallBottom - 124, 0.75 * (bottom - 124), 2);
    EXPECT_NEAR(124 - smallTop, 0.75 * (124 - top), 2);
}

} // namespace
} // namespace purlo
