#pragma once

#include "platform/Canvas.h"

#include <QImage>
#include <QSizeF>
#include <functional>

class QPainter;

namespace purlo {

// A drawing made in software on the same canvas the cat is painted with, at the
// painter's pixel density, then laid down in one piece. The image is kept for the
// next frame.
class RasterLayer {
public:
    // draw paints on a cleared canvas whose user space is size points across.
    void paint(QPainter& painter, QSizeF size, const std::function<void(Canvas&)>& draw);

private:
    QImage image_;
};

} // namespace purlo
