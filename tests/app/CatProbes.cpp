#include "tests/app/CatProbes.h"

#include <QRect>
#include <functional>

namespace purlo::testing::catProbes {
namespace {

// Her frame, and where her front paws stand in it when she faces right: the cells of
// the paws at x 244 and 348 of the 471-unit drawing, fitted into 128 points.
constexpr QRect frame{16, 76, 128, 128};
constexpr int leftPawLeft = 82;
constexpr int rightPawLeft = 106;
constexpr int pawWidth = 14;
// A paw's row counts when this many of its pixels are white.
constexpr int pawRowPixels = 3;
// Typing sets the paws about six pixels apart; a breath moves them together.
constexpr int unevenPaws = 3;
constexpr QRect thoughtArea{112, 78, 38, 22};

int count(const QImage& screen, QPoint panel, QRect area, const std::function<bool(QRgb)>& test) {
    int found = 0;
    const QRect inScreen = area.translated(panel).intersected(screen.rect());
    for (int y = inScreen.top(); y <= inScreen.bottom(); ++y) {
        for (int x = inScreen.left(); x <= inScreen.right(); ++x) {
            found += test(screen.pixel(x, y)) ? 1 : 0;
        }
    }
    return found;
}

bool isWhite(QRgb pixel) {
    return qRed(pixel) > 225 && qGreen(pixel) > 225 && qBlue(pixel) > 225;
}

std::optional<int> pawBottom(const QImage& screen, QPoint panel, int left) {
    std::optional<int> bottom;
    for (int y = frame.top() + 70; y <= frame.bottom(); ++y) {
        if (count(screen, panel, QRect(left, y, pawWidth, 1), isWhite) >= pawRowPixels) {
            bottom = y;
        }
    }
    return bottom;
}

} // namespace

int drawnPixels(const QImage& screen, QPoint panel) {
    return count(screen, panel, frame, [](QRgb pixel) { return (pixel & 0xFFFFFF) != 0; });
}

std::optional<std::pair<int, int>> frontPawBottoms(const QImage& screen, QPoint panel) {
    const auto left = pawBottom(screen, panel, leftPawLeft);
    const auto right = pawBottom(screen, panel, rightPawLeft);
    if (!left || !right) {
        return std::nullopt;
    }
    return std::pair(*left, *right);
}

bool pawsAtDifferentHeights(const QImage& screen, QPoint panel) {
    const auto bottoms = frontPawBottoms(screen, panel);
    return bottoms && std::abs(bottoms->first - bottoms->second) >= unevenPaws;
}

int thoughtCloudPixels(const QImage& screen, QPoint panel) {
    return count(screen, panel, thoughtArea, [](QRgb pixel) {
        const int r = qRed(pixel);
        return r >= 150 && r <= 235 && qGreen(pixel) >= r && qBlue(pixel) >= r + 4;
    });
}

int confettiPixels(const QImage& screen, QPoint panel) {
    return count(screen, panel, QRect(0, 0, 160, 204), [](QRgb pixel) {
        return qRed(pixel) >= 200 && qGreen(pixel) >= 140 && qGreen(pixel) <= 225 &&
               qBlue(pixel) <= 70;
    });
}

} // namespace purlo::testing::catProbes
