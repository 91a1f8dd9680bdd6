#pragma once

#include "base/Geometry.h"
#include "platform/x11/X11Connection.h"

#include <optional>

namespace purlo {

// Where the pointer is on the display, in the server's pixels from the top-left corner
// of the desktop; nothing when the connection is closed or the server does not say.
// One round trip, answered on the calling thread: no other thread has to wake to hand
// the answer over, as it would on the toolkit's connection.
std::optional<Point> x11PointerPosition(const X11Connection& connection);

} // namespace purlo
