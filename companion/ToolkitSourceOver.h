#pragma once

#include "companion/RasterCanvas.h"

#include <cstdint>

namespace purlo {

// Lays a premultiplied picture over area of below, as the toolkit's painter lays one that
// is drawn at rest (a pixel of it to a pixel of below, at full strength), to the bit: an
// opaque pixel replaces what lies below, a clear one leaves it, any other is added to what
// shows through of it, rounded as the toolkit rounds. first is the picture's pixel for
// area's top-left corner and stride the words from one of its rows to the next; area must
// lie within below.
void toolkitSourceOver(const PixelBuffer& below, PixelRect area, const std::uint32_t* first,
                       int stride);

} // namespace purlo
