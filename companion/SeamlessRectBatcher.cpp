#include "companion/SeamlessRectBatcher.h"

namespace purlo {

void SeamlessRectBatcher::add(RgbColor newColor, double x, double y, double width, double height,
                              double newOpacity, double originX, double originY, double unit,
                              const DrawingContext& newContext, int newContextID) {
    const bool continuesRun =
        color && *color == newColor && opacity == newOpacity && contextID == newContextID;
    if (!continuesRun) {
        flush();
        color = newColor;
        opacity = newOpacity;
        context = &newContext;
        contextID = newContextID;
    }
    path.push_back({originX + x * unit, originY + y * unit, width * unit, height * unit});
}

void SeamlessRectBatcher::flush() {
    if (!color || context == nullptr) {
        return;
    }
    if (!path.empty()) {
        context->fill(path, *color, opacity);
    }
    path.clear();
}

} // namespace purlo
