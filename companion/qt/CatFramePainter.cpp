#include "companion/qt/CatFramePainter.h"

#include "companion/ReferencePurloCatView.h"
#include "companion/qt/QtCanvas.h"

#include <QPainter>

namespace purlo {

void paintCatFrame(QPainter& painter, QSizeF size, const CompanionScene& scene, const CatLook& look,
                   double time) {
    QtCanvas canvas(painter);
    const ReferencePurloCatView view{scene, look, time};
    view.draw(canvas, size.width(), size.height());
}

} // namespace purlo
