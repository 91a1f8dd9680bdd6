#include "companion/PurloTheme.h"
#include "companion/qt/ThemeQColor.h"

#include <QColor>
#include <gtest/gtest.h>

namespace purlo {
namespace {

QString argb(const QColor& color) {
    return color.name(QColor::HexArgb);
}

TEST(PurloTheme, TextOnTheAccentIsReadableInBothAppearances) {
    EXPECT_EQ(argb(themeQColor(PurloTheme::onAccent, false)), "#ffffffff");
    EXPECT_EQ(argb(themeQColor(PurloTheme::accent, false)), "#ff202322");
    EXPECT_EQ(argb(themeQColor(PurloTheme::onAccent, true)), "#ff202322");
    EXPECT_EQ(argb(themeQColor(PurloTheme::accent, true)), "#fff1df74");
}

TEST(PurloTheme, TheAccentWashChangesOnlyItsOpacity) {
    EXPECT_EQ(argb(themeQColor(PurloTheme::accentWash, false)), "#73f1df74");
    EXPECT_EQ(argb(themeQColor(PurloTheme::accentWash, true)), "#29f1df74");
}

} // namespace
} // namespace purlo
