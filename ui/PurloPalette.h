#pragma once

#include <QPalette>

namespace purlo {

// The theme as a palette, for a window that draws in it: its background, text, fields
// and tint. The kit's widgets read the appearance back from the window colour, so
// setting this on a window themes everything inside it.
QPalette purloPalette(bool darkAppearance);

} // namespace purlo
