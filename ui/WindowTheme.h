#pragma once

#include "platform/Appearance.h"

class QWidget;

namespace purlo {

// Dresses a window in the theme and keeps it so: its palette takes the desktop's
// appearance now and again after every change of the desktop's palette or theme. The
// appearance must outlive the window.
void keepInTheme(QWidget& window, const Appearance& appearance);

} // namespace purlo
