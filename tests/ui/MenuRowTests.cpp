#include "tests/ui/MenuBarTesting.h"
#include "ui/MenuRow.h"

#include <QEnterEvent>
#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>

namespace purlo {
namespace {

using Trailing = MenuRow::Trailing;

// The row alone, over nothing: what it paints itself.
QImage drawn(MenuRow& row) {
    row.resize(272, row.sizeHint().height());
    QImage image(row.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    row.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void hover(MenuRow& row, bool inside) {
    if (inside) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&row, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&row, &leave);
    }
}

// The darkest channel value among the opaque pixels of the columns, 255 when none.
int darkestInk(const QImage& image, int from, int to) {
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = from; x < to; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 255) {
                darkest = std::min({darkest, pixel.red(), pixel.green(), pixel.blue()});
            }
        }
    }
    return darkest;
}

bool sameColumns(const QImage& left, const QImage& right, int from, int to) {
    for (int y = 0; y < left.height(); ++y) {
        for (int x = from; x < to; ++x) {
            if (left.pixel(x, y) != right.pixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

TEST(MenuRow, TitlesLineUpWhetherOrNotARowHasASymbol) {
    const struct {
        std::optional<std::string> symbol;
        bool indented;
        double titleOffset;
    } cases[] = {
        {std::nullopt, false, 10},
        {"pawprint", false, 40},
        {std::nullopt, true, 40},
        // The empty reserve after a symbol still takes its share of spacing.
        {"pawprint", true, 51},
    };
    for (const auto& [symbol, indented, titleOffset] : cases) {
        const MenuRow row("Nap", symbol, Trailing::none(), indented, {});
        EXPECT_EQ(row.titleOffset(), titleOffset) << symbol.value_or("no symbol") << indented;
    }
}

TEST(MenuRow, TheWholeRoundedRowTakesOneClick) {
    int clicks = 0;
    MenuRow row("Pet Purlo", "pawprint", Trailing::none(), false, [&] { ++clicks; });
    row.resize(272, row.sizeHint().height());
    testing::click(row, QPointF(260, 4));
    EXPECT_EQ(clicks, 1) << "far from the title, on the clear part of the row";
    testing::click(row, QPointF(0.2, 0.2));
    EXPECT_EQ(clicks, 1) << "outside the rounded corner";

    const QPointF inside(100, 10);
    QMouseEvent press(QEvent::MouseButtonPress, inside, inside, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&row, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(100, 80), QPointF(100, 80),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&row, &release);
    EXPECT_EQ(clicks, 1) << "a press dragged off the row is no click";
}

TEST(MenuRow, LightsUpInTheAccentOnlyWhileThePointerIsOver) {
    MenuRow row("Nap", "moon.zzz", Trailing::chevron(false), false, {});
    row.show();
    const QImage plain = drawn(row);
    const int middle = plain.height() / 2;
    EXPECT_EQ(plain.pixelColor(4, middle).alpha(), 0) << "no background of its own";

    hover(row, true);
    EXPECT_TRUE(row.hovering());
    const QImage lit = drawn(row);
    EXPECT_EQ(lit.pixelColor(4, middle).rgb(), qRgb(0xF1, 0xDF, 0x74));
    EXPECT_EQ(lit.pixelColor(0, 0).alpha(), 0) << "rounded corners";
    EXPECT_LT(darkestInk(lit, 40, 120), 0x30) << "the title turns dark on the pale accent";
    EXPECT_GT(darkestInk(plain, 40, 120), 0xC0) << "and is light on the dark popover";
    row.hide();
    EXPECT_FALSE(row.hovering()) << "a closed popover keeps no highlight";
    row.show();
    hover(row, false);
    EXPECT_EQ(drawn(row), plain);
}

TEST(MenuRow, TheTrailingItemKeepsItsPlaceAndTheChevronTurns) {
    const int hintColumns = 60;
    MenuRow shortTitle("Quit Purlo", "xmark.circle", Trailing::hint("Ctrl+Q"), false, {});
    MenuRow longTitle(QString("Quit ") + QString(80, 'P'), "xmark.circle", Trailing::hint("Ctrl+Q"),
                      false, {});
    const QImage shortImage = drawn(shortTitle);
    const QImage longImage = drawn(longTitle);
    EXPECT_EQ(longImage.height(), shortImage.height()) << "one line";
    EXPECT_TRUE(sameColumns(shortImage, longImage, 272 - hintColumns, 272))
        << "the hint is drawn where it always is";
    EXPECT_FALSE(sameColumns(shortImage, longImage, 0, 272 - hintColumns));

    MenuRow nap("Nap", "moon.zzz", Trailing::chevron(false), false, {});
    const QImage collapsed = drawn(nap);
    nap.setTrailing(Trailing::chevron(true));
    const QImage expanded = drawn(nap);
    EXPECT_TRUE(sameColumns(collapsed, expanded, 0, 272 - 30));
    EXPECT_FALSE(sameColumns(collapsed, expanded, 272 - 30, 272));
}

} // namespace
} // namespace purlo
