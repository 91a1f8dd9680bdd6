#include "ui/KitFont.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

namespace purlo {
namespace {

// Qt sizes fonts in typographic points, which the screen's logical density turns into
// pixels; the windows are laid out in logical pixels, so the size is converted back.
double logicalDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 0;
    return dpi > 0 ? dpi : 96.0;
}

} // namespace

QFont kitFont(double points, QFont::Weight weight, bool monospaced) {
    QFont font =
        monospaced ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QGuiApplication::font();
    font.setPointSizeF(points * 72.0 / logicalDotsPerInch());
    font.setWeight(weight);
    return font;
}

} // namespace purlo
