#include "companion/DrawingContext.h"

namespace purlo {

void DrawingContext::fill(std::span<const CanvasRect> rects, RgbColor color, double opacity) const {
    if (degrees_ == 0 && drop_ == 0) {
        canvas_->fillRects(rects, color, opacity);
        return;
    }
    canvas_->save();
    canvas_->translate(pivotX_, pivotY_);
    canvas_->rotate(degrees_);
    canvas_->translate(-pivotX_, drop_ - pivotY_);
    canvas_->fillRects(rects, color, opacity);
    canvas_->restore();
}

} // namespace purlo
