#include "companion/qt/ThemeQColor.h"

namespace purlo {

QColor themeQColor(const ThemeColor& color) {
    return QColor::fromRgbF(
        static_cast<float>(color.color.red), static_cast<float>(color.color.green),
        static_cast<float>(color.color.blue), static_cast<float>(color.opacity));
}

QColor themeQColor(const AppearanceColor& color, bool darkAppearance) {
    return themeQColor(color.resolved(darkAppearance));
}

QColor themeQColor(const AppearanceColor& color, const Appearance& appearance) {
    return themeQColor(color, appearance.darkAppearance());
}

} // namespace purlo
