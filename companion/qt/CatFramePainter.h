#pragma once

#include "companion/CatLook.h"
#include "companion/qt/RasterLayer.h"
#include "model/CompanionScene.h"
#include "platform/Canvas.h"

#include <QRectF>
#include <QSizeF>

class QPainter;

namespace purlo {

// Paints the cat of one instant into a painter's area of the given size (in the
// painter's logical points). The whole cat is drawn in software into one offscreen
// layer at the device's pixel density and then laid down in one piece, so the
// painter only ever copies pixels. The layer is kept for the next frame.
class CatFramePainter {
public:
    void paint(QPainter& painter, QSizeF size, const CompanionScene& scene, const CatLook& look,
               double time);
    // The cat fitted into frame and then scaled about its centre, on a layer covering
    // the whole area, so that her bounces and tilts may reach beyond the frame.
    void paint(QPainter& painter, QSizeF size, QRectF frame, double scale,
               const CompanionScene& scene, const CatLook& look, double time);

    // The same cat drawn straight onto a canvas whose user space is the area's points.
    static void draw(Canvas& canvas, QRectF frame, double scale, const CompanionScene& scene,
                     const CatLook& look, double time);

private:
    RasterLayer layer_;
};

} // namespace purlo
