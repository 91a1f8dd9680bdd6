#pragma once

#include "base/Geometry.h"

#include <QRect>

namespace purlo {

// A Qt rectangle as plain numbers, still in Qt's top-down space.
inline Rect rectFromQt(const QRect& rect) {
    return Rect{{static_cast<double>(rect.x()), static_cast<double>(rect.y())},
                {static_cast<double>(rect.width()), static_cast<double>(rect.height())}};
}

} // namespace purlo
