#pragma once

#include <QColor>
#include <QPixmap>
#include <QSizeF>
#include <string_view>

namespace purlo {

// The icons the windows name by symbol ("pawprint.fill", "moon.zzz", ...), drawn from
// the icon files installed beside the program (Icons/<symbol>.svg) in one colour.
// An unknown symbol, or a missing file, gives a null pixmap: the icon is simply not
// drawn, and nothing else changes.
QPixmap purloIcon(std::string_view symbol, QSizeF size, const QColor& tint,
                  qreal devicePixelRatio = 1.0);

} // namespace purlo
