#pragma once

#include <QFont>

namespace purlo {

// The system font at a size in points (the windows' own unit, one point to a logical
// pixel) and a weight, in the monospaced design when asked.
QFont kitFont(double points, QFont::Weight weight = QFont::Normal, bool monospaced = false);

} // namespace purlo
