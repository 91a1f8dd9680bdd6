#include "platform/DesktopCoordinates.h"

namespace purlo {

Rect globalRect(const Rect& topDown, const Rect& primaryScreenTopDown) {
    const double primaryBottom = primaryScreenTopDown.origin.y + primaryScreenTopDown.size.height;
    return Rect{{topDown.origin.x - primaryScreenTopDown.origin.x,
                 primaryBottom - (topDown.origin.y + topDown.size.height)},
                topDown.size};
}

Rect topDownRect(const Rect& global, const Rect& primaryScreenTopDown) {
    const double primaryBottom = primaryScreenTopDown.origin.y + primaryScreenTopDown.size.height;
    return Rect{{global.origin.x + primaryScreenTopDown.origin.x,
                 primaryBottom - (global.origin.y + global.size.height)},
                global.size};
}

Point globalPointerLocation(Point topDownPixel, const Rect& primaryScreenTopDown) {
    return globalRect(Rect{topDownPixel, {1, 1}}, primaryScreenTopDown).origin;
}

} // namespace purlo
