#include "ui/PurloIcon.h"

#include <QImage>
#include <gtest/gtest.h>

namespace purlo {
namespace {

int tintedPixelCount(const QImage& image, QRgb tint) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 255) {
                count += pixel.rgb() == tint ? 1 : 1000;
            }
        }
    }
    return count;
}

TEST(PurloIcon, KnownSymbolsDrawInTheTintAtTheirPixelSize) {
    const QPixmap paw = purloIcon("pawprint.fill", QSizeF(18, 18), QColor(0x20, 0x23, 0x22), 2.0);
    ASSERT_FALSE(paw.isNull()) << "Icons/pawprint.fill.svg is not installed beside the tests";
    EXPECT_EQ(paw.size(), QSize(36, 36));
    const int solid = tintedPixelCount(paw.toImage(), qRgb(0x20, 0x23, 0x22));
    EXPECT_GT(solid, 50);
    EXPECT_LT(solid, 1000) << "a fully opaque pixel in another colour than the tint";
}

TEST(PurloIcon, UnknownSymbolsDrawNothing) {
    EXPECT_TRUE(purloIcon("no.such.symbol", QSizeF(18, 18), Qt::white).isNull());
    EXPECT_TRUE(purloIcon("../Fonts/Silkscreen-Regular", QSizeF(18, 18), Qt::white).isNull());
    EXPECT_TRUE(purloIcon("pawprint.fill", QSizeF(0, 0), Qt::white).isNull());
}

} // namespace
} // namespace purlo
