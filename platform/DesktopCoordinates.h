#pragma once

#include "base/Geometry.h"

namespace purlo {

// Qt and the X server count from the desktop's top-left corner with y downward. The
// program counts from the primary screen's lower-left corner with y upward, so every
// position read from them is turned over at the primary screen's bottom edge.
// Rectangles named topDown are in the toolkit's space: origin at their top-left corner.

// A rectangle of the toolkit's space in global coordinates.
Rect globalRect(const Rect& topDown, const Rect& primaryScreenTopDown);

// A rectangle of global coordinates in the toolkit's space: where a window is put.
Rect topDownRect(const Rect& global, const Rect& primaryScreenTopDown);

// A pointer position names a pixel; its global position is that pixel's lower-left
// corner, so a pointer on a screen's top row still lies inside that screen.
Point globalPointerLocation(Point topDownPixel, const Rect& primaryScreenTopDown);

} // namespace purlo
