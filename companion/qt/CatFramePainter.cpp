#include "companion/qt/CatFramePainter.h"

#include "companion/ReferencePurloCatView.h"

namespace purlo {

void CatFramePainter::paint(QPainter& painter, QSizeF size, const CompanionScene& scene,
                            const CatLook& look, double time) {
    paint(painter, size, QRectF(QPointF(0, 0), size), 1, scene, look, time);
}

void CatFramePainter::paint(QPainter& painter, QSizeF size, QRectF frame, double scale,
                            const CompanionScene& scene, const CatLook& look, double time) {
    layer_.paint(painter, size,
                 [&](Canvas& canvas) { draw(canvas, frame, scale, scene, look, time); });
}

void CatFramePainter::draw(Canvas& canvas, QRectF frame, double scale, const CompanionScene& scene,
                           const CatLook& look, double time) {
    canvas.translate(frame.center().x(), frame.center().y());
    canvas.scale(scale, scale);
    canvas.translate(-frame.width() / 2, -frame.height() / 2);
    ReferencePurloCatView{scene, look, time}.draw(canvas, frame.width(), frame.height());
}

} // namespace purlo
