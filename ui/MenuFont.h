#pragma once

#include <QFont>

namespace purlo {

// The desktop's interface font at a size in device-independent pixels and a weight.
// Sizes are whole pixels: a half pixel is rounded away, so text sits on the pixel grid.
QFont menuFont(double pixels, QFont::Weight weight);

} // namespace purlo
