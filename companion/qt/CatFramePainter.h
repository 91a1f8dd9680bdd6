#pragma once

#include "companion/CatLook.h"
#include "model/CompanionScene.h"

#include <QSizeF>

class QPainter;

namespace purlo {

// Paints the cat of one instant into the painter's area of the given size (in the
// painter's logical points): what the cat view shows, and what previews, contact
// sheets and benchmarks render into images.
void paintCatFrame(QPainter& painter, QSizeF size, const CompanionScene& scene, const CatLook& look,
                   double time);

} // namespace purlo
