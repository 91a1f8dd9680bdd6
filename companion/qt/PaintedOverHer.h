#pragma once

#include <QRect>

class QImage;
class QPainter;
class QRegion;

namespace purlo {

// A widget that stands over the cat and can paint a part of itself with any painter, so
// that her frames can be composed with it without the toolkit's whole repaint.
class PaintedOverHer {
public:
    // The part of the widget, in its own points, that it may paint; the rest stays clear.
    virtual QRect paintedArea() const = 0;
    // Paints region (its own points) of itself as its paint event does, the painter's
    // origin at its top-left corner.
    virtual void paintOnto(QPainter& painter, const QRegion& region) = 0;
    // Its picture, when painting it is nothing but laying that picture down at its
    // top-left corner at full strength and unscaled; none while it is drawn otherwise.
    virtual const QImage* pictureAtRest() = 0;

protected:
    ~PaintedOverHer() = default;
};

} // namespace purlo
