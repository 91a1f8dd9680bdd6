#pragma once

#include <QRectF>

class QPainter;
class QWidget;

namespace purlo {

// The ring that shows which control has the keyboard: a line in the theme's accent just
// inside a rounded outline, so it needs no room around the control.
struct KeyboardFocusRing {
    static constexpr double width = 2;
    // How far a fill in the accent draws back from the outline while the ring shows: the
    // ground in between keeps the ring apart from the fill.
    static constexpr double fillInset = 4;

    // Draws the ring for widget, in the accent of its appearance.
    static void paint(QPainter& painter, const QRectF& outline, double radius,
                      const QWidget& widget);
};

} // namespace purlo
