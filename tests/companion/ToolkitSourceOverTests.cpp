#include "companion/ToolkitSourceOver.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace purlo {
namespace {

// Every strength of a laid pixel over every strength of the one below, clear and opaque
// ones included, comes out as the toolkit's painter lays the same picture. A rounding of
// its own would differ by one at some of them and show as a seam around her bubble.
TEST(ToolkitSourceOver, LaysEveryPixelAsTheToolkitsPainterDoes) {
    constexpr int side = 256;
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    QImage below(side, side, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            // Row y lays alpha y, column x lies below at alpha x; channels never pass alpha.
            picture.setPixel(x, y, qRgba(x * y / 255, (255 - x) * y / 255, y / 2, y));
            below.setPixel(x, y, qRgba(x, x / 2, x * y / 255, x));
        }
    }
    QImage painted = below.copy();
    QPainter painter(&painted);
    painter.drawImage(0, 0, picture);
    painter.end();

    QImage composed = below.copy();
    const PixelBuffer target{reinterpret_cast<std::uint32_t*>(composed.bits()), side, side,
                             static_cast<int>(composed.bytesPerLine() / 4)};
    toolkitSourceOver(target, PixelRect{0, 0, side, side},
                      reinterpret_cast<const std::uint32_t*>(picture.constBits()),
                      static_cast<int>(picture.bytesPerLine() / 4));
    EXPECT_EQ(composed, painted);
}

// Only the area is laid: the picture's pixels start at its corner, rows a stride apart.
TEST(ToolkitSourceOver, LaysOnlyTheAreaFromTheGivenFirstPixel) {
    std::vector<std::uint32_t> pixels(4 * 3, 0xff102030u);
    const PixelBuffer target{pixels.data(), 4, 3, 4};
    const std::vector<std::uint32_t> picture{0xff0000ffu, 0xff00ff00u, 0u,
                                             0x80000080u, 0u,          0xffff0000u};
    toolkitSourceOver(target, PixelRect{1, 1, 2, 2}, picture.data() + 1, 3);
    const std::uint32_t below = 0xff102030u;
    const std::vector<std::uint32_t> expected{below, below, below, below, below,       0xff00ff00u,
                                              below, below, below, below, 0xffff0000u, below};
    EXPECT_EQ(pixels, expected);
}

} // namespace
} // namespace purlo
