#pragma once

#include "base/Geometry.h"

namespace purlo {

// Where the pointer is, in the desktop's global space (y upward, origin at the
// primary screen's lower-left corner).
class PointerSource {
public:
    virtual ~PointerSource() = default;

    // The present pointer position; the origin when no screen can tell it.
    virtual Point location() const = 0;
};

} // namespace purlo
