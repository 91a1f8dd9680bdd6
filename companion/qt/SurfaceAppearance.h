#pragma once

#include "companion/PurloTheme.h"

#include <QColor>

class QWidget;

namespace purlo {

// Whether a widget sits on a dark surface: its window colour, as the palette it
// inherits gives it, is dark. A window that draws in the theme hands its palette to
// every widget inside it, so each one resolves the theme for the appearance its
// window shows, and a forced-dark surface darkens everything on it.
bool isDarkSurface(const QWidget& widget);

// An appearance-following colour as the widget's surface shows it.
QColor themeQColor(const AppearanceColor& color, const QWidget& widget);

} // namespace purlo
