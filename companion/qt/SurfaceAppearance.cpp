#include "companion/qt/SurfaceAppearance.h"

#include "companion/qt/ThemeQColor.h"
#include "platform/qt/QtAppearance.h"

#include <QPalette>
#include <QWidget>

namespace purlo {

bool isDarkSurface(const QWidget& widget) {
    return QtAppearance::isDark(widget.palette().color(QPalette::Window));
}

QColor themeQColor(const AppearanceColor& color, const QWidget& widget) {
    return themeQColor(color, isDarkSurface(widget));
}

} // namespace purlo
