#include "companion/qt/ThemeQColor.h"
#include "settings/FurSwatch.h"
#include "tests/companion/BuildFolder.h"
#include "tests/settings/SettingsDriving.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::CompanionTabWindow;
using testing::settingsWith;
using testing::shownWidgets;

QRgb rgb(std::uint32_t hex) {
    return themeQColor(ThemeColor{hexColor(hex)}).rgb();
}

// The fur previews are drawn alike in both appearances; the selected tile takes the
// appearance's accent. Saved to the build's artifacts for a person to look at.
TEST(AppearancePictures, FurPreviewsShowTheirBandsAndTheChosenTileTakesTheAccent) {
    for (const bool dark : {false, true}) {
        CompanionTabWindow page(settingsWith([](PurloSettings& s) {
            s.skin = CatSkinPreset::tuxedo;
            s.savedCatProfiles = {CatProfile{.id = "mochi", .name = "Mochi"}};
        }));
        page.window.setPalette(purloPalette(dark));
        const QImage picture = page.window.grab().toImage();
        if (const auto artifacts = testing::artifactsFolder()) {
            picture.save(artifacts->filePath(dark ? "appearance-page-dark.png"
                                                  : "appearance-page-light.png"));
        }

        const QList<FurSwatch*> swatches = shownWidgets<FurSwatch>(*page.tab);
        ASSERT_EQ(swatches.size(), 5);
        // A point of a preview at an angle clockwise from the right, 9 points out.
        const auto previewAt = [&](const FurSwatch* swatch, double degrees) {
            const QRectF card = swatch->cardRect();
            const QPointF centre(card.center().x(),
                                 card.top() + 11 + FurSwatch::previewDiameter / 2);
            const double radians = degrees * M_PI / 180;
            const QPointF point = centre + 9 * QPointF(std::cos(radians), std::sin(radians));
            return picture.pixel(swatch->mapTo(&page.window, point.toPoint()));
        };
        const struct {
            int swatch;
            double degrees;
            std::uint32_t fur;
        } probes[] = {
            {0, 260, 0xE8A13C}, {0, 0, 0x2B2B2F},   {0, 60, 0x2B2B2F}, {0, 135, 0xF3EFE7},
            {0, 190, 0xF3EFE7}, {1, 225, 0x2B2B2F}, {1, 45, 0xF3EFE7}, {2, 90, 0xD9882F},
            {3, 90, 0x8D8F93},  {4, 90, 0x23262B},
        };
        for (const auto& probe : probes) {
            EXPECT_EQ(previewAt(swatches[probe.swatch], probe.degrees), rgb(probe.fur))
                << "swatch " << probe.swatch << " at " << probe.degrees << " dark " << dark;
        }

        const auto cardEdge = [&](const FurSwatch* swatch) {
            const QRectF card = swatch->cardRect();
            return picture.pixel(
                swatch->mapTo(&page.window, QPoint(static_cast<int>(card.left()),
                                                   static_cast<int>(card.center().y()))));
        };
        EXPECT_EQ(cardEdge(swatches[1]), themeQColor(PurloTheme::accent, dark).rgb()) << dark;
        EXPECT_EQ(cardEdge(swatches[2]), themeQColor(PurloTheme::controlBorder, dark).rgb())
            << dark;
    }
}

} // namespace
} // namespace purlo
