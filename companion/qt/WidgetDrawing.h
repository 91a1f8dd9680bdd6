#pragma once

#include <QImage>
#include <QTransform>
#include <functional>

class QPainter;
class QRegion;
class QWidget;

namespace purlo {

// A widget's picture, drawn once at the widget's size and pixel density and kept until
// something it shows changes, for widgets that stand over the cat: she repaints what
// changed many times a second, and they with her.
class WidgetDrawing {
public:
    // The picture at widget's present size and density; draw paints it on a cleared image
    // when there is none for them.
    const QImage& of(const QWidget& widget, const std::function<void(QPainter&)>& draw);
    // Something the picture shows changed: the next one is drawn anew.
    void forget() { image_ = QImage(); }

    // Lays image down at the painter's origin (the widget's top-left corner) through
    // placement, over region (in the widget's points) a rectangle at a time: plain copies
    // at rest, where one copy through the whole region would take Qt's slower road.
    static void layDown(QPainter& painter, const QImage& image, const QRegion& region,
                        const QTransform& placement = {});

private:
    QImage image_;
};

} // namespace purlo
