#pragma once

#include "companion/PurloTheme.h"
#include "platform/Appearance.h"

#include <QColor>

namespace purlo {

// A theme colour as Qt paints it, its opacity carried in the alpha channel.
QColor themeQColor(const ThemeColor& color);

// An appearance-following colour for the appearance a surface is drawn in.
QColor themeQColor(const AppearanceColor& color, bool darkAppearance);
QColor themeQColor(const AppearanceColor& color, const Appearance& appearance);

} // namespace purlo
