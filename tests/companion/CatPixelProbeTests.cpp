#include "companion/CatEyeLayer.h"
#include "companion/PixelColors.h"
#include "companion/PurloFurPalette.h"
#include "tests/companion/CatImages.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <numbers>

namespace purlo {
namespace {

using testing::over;
using testing::pixelIs;
using testing::renderCat;
using testing::renderFrame;
using testing::stillScene;

// Grid points where one layer shows alone in a still, sitting cat.
constexpr double furX = 374, furY = 370;     // the chest side, under no marking
constexpr double rimX = 129, rimY = 225;     // the head's left rim
constexpr double tailX = 60, tailY = 462;    // the tail's tip
constexpr double irisX = 200, irisY = 178;   // the left iris, beside the pupil
constexpr double noseX = 285, noseY = 208.5; // the nose

CatLook lookWith(CatSkinPreset skin, CatPatternPreset pattern = CatPatternPreset::tuxedo,
                 CatEyeColorPreset eyes = CatEyeColorPreset::cocoa,
                 CatAccessoryPreset accessory = CatAccessoryPreset::none) {
    return {skin, pattern, eyes, accessory};
}

TEST(CatPixels, EachSkinPaintsItsFurRimAndTail) {
    for (const CatSkinPreset skin : allCases<CatSkinPreset>()) {
        const PurloFurPalette palette = PurloFurPalette::make(skin);
        const QImage image = renderCat(stillScene(), lookWith(skin), 0);
        EXPECT_TRUE(pixelIs(image, furX, furY, palette.body)) << toString(skin);
        EXPECT_TRUE(pixelIs(image, rimX, rimY, palette.socket)) << toString(skin);
        EXPECT_TRUE(pixelIs(image, tailX, tailY, palette.tail)) << toString(skin);
        EXPECT_TRUE(pixelIs(image, noseX, noseY, noseColor)) << toString(skin);
    }
}

TEST(CatPixels, EachEyeColourFillsTheIris) {
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
    struct Case {
        CatPatternPreset pattern;
        double x;
        double y;
        RgbColor color;
    };
    const Case cases[] = {
        {CatPatternPreset::tuxedo, 160, 370, calico.body},
        {CatPatternPreset::classic, 150, 349, over(calico.pattern, calico.body, 0.34)},
        {CatPatternPreset::solid, 300, 320, over(calico.body, bib, 0.16)},
        {CatPatternPreset::mask, 170, 190, over(calico.shadow, calico.body, 0.34)},
        {CatPatternPreset::socks, 225, 500, over(white, calico.body, 0.4)},
        {CatPatternPreset::spots, 160, 360, over(calico.pattern, calico.body, 0.48)},
        {CatPatternPreset::stripes, 160, 370, over(calico.stripe, calico.body, 0.42)},
    };
    for (const Case& c : cases) {
        const QImage image = renderCat(stillScene(), lookWith(CatSkinPreset::calico, c.pattern), 0);
        EXPECT_TRUE(pixelIs(image, c.x, c.y, c.color)) << toString(c.pattern);
        EXPECT_TRUE(pixelIs(image, furX, furY, calico.body)) << toString(c.pattern);
    }
}

TEST(CatPixels, EachAccessoryIsWornInItsPlace) {
    const PurloFurPalette gray = PurloFurPalette::make(CatSkinPreset::gray);
    const RgbColor bib = over(white, gray.body, 0.96);
    struct Case {
        CatAccessoryPreset accessory;
        double x;
        double y;
        RgbColor color;
    };
    const Case cases[] = {
        {CatAccessoryPreset::none, 297, 306, bib},
        {CatAccessoryPreset::bow, 297, 306, {0.62, 0.06, 0.16}},
        {CatAccessoryPreset::bow, 240, 305, {0.94, 0.14, 0.3}},
        {CatAccessoryPreset::bell, 303, 322, {1.0, 0.78, 0.18}},
        {CatAccessoryPreset::bell, 230, 296, {0.8, 0.12, 0.18}},
        {CatAccessoryPreset::scarf, 340, 360, {0.72, 0.12, 0.2}},
        {CatAccessoryPreset::tie, 305, 356, {0.898, 0.376, 0.29}},
        {CatAccessoryPreset::tie, 230, 298, {0.678, 0.243, 0.184}},
        {CatAccessoryPreset::crown, 279, 57, {0.78, 0.94, 1.0}},
        {CatAccessoryPreset::crown, 225, 79, {1.0, 0.78, 0.18}},
        {CatAccessoryPreset::crown, 297, 306, bib},
    };
    for (const Case& c : cases) {
        const QImage image = renderCat(stillScene(),
                                       lookWith(CatSkinPreset::gray, CatPatternPreset::tuxedo,
                                                CatEyeColorPreset::cocoa, c.accessory),
                                       0);
        EXPECT_TRUE(pixelIs(image, c.x, c.y, c.color)) << toString(c.accessory);
    }
}

int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            largest =
                std::max({largest, std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                          std::abs(p.blue() - q.blue()), std::abs(p.alpha() - q.alpha())});
        }
    }
    return largest;
}

TEST(CatPixels, FacingLeftMirrorsTheWholeCat) {
    const CatLook look = lookWith(CatSkinPreset::calico, CatPatternPreset::mask,
                                  CatEyeColorPreset::mint, CatAccessoryPreset::scarf);
    // Both gazes point 0.2 ahead of her, so only the mirroring differs.
    const QImage right = renderCat(stillScene(CatPose::stare, CatMood::idle, {0.2, 0}), look, 0);
    const QImage left = renderCat(stillScene(CatPose::stare, CatMood::idle, {-0.2, 0}), look, 0);
    EXPECT_LE(largestDifference(right.mirrored(true, false), left), 1);
    EXPECT_GT(largestDifference(right, left), 100) << "she did not turn at all";
    // The scarf's hanging end changes sides.
    EXPECT_TRUE(pixelIs(left, 470 - 340, 360, {0.72, 0.12, 0.2}));
}

TEST(CatPixels, TheHeadTurnsAndSinksWhileTheBodyStays) {
    const CatLook look = lookWith(CatSkinPreset::orange);
    const PurloFurPalette orange = PurloFurPalette::make(CatSkinPreset::orange);
    const CompanionScene scene = stillScene();
    CatAnimationFrame tilted;
    tilted.headTiltDegrees = 30;
    const QImage turned = renderFrame(tilted, 1, scene, look);
    // The nose swings about the neck point (286, 272): 30 degrees clockwise.
    const double radians = 30 * std::numbers::pi / 180;
    const double dx = noseX - 286;
    const double dy = noseY - 272;
    const double turnedX = 286 + dx * std::cos(radians) - dy * std::sin(radians);
    const double turnedY = 272 + dx * std::sin(radians) + dy * std::cos(radians);
    EXPECT_TRUE(pixelIs(turned, turnedX, turnedY, noseColor));
    EXPECT_FALSE(pixelIs(turned, noseX, noseY, noseColor));
    EXPECT_TRUE(pixelIs(turned, furX, furY, orange.body)) << "the body must not turn";

    CatAnimationFrame lowered;
    lowered.headYOffset = 5;
    const QImage sunk = renderFrame(lowered, 1, scene, look);
    EXPECT_TRUE(pixelIs(sunk, noseX, noseY + 20, noseColor));
    EXPECT_TRUE(pixelIs(sunk, furX, furY, orange.body));
}

} // namespace
} // namespace purlo
