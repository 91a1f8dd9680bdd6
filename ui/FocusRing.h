#pragma once

#include <QRectF>

class QPainter;
class QWidget;

namespace purlo {

// Where the keyboard's focus is, drawn the one way every control of the windows shows it,
// light or dark: a ring in the theme's accent, two points wide, a point clear of the
// control's face, so that it shows on a face filled with the accent too.
inline constexpr double focusRingWidth = 2;
inline constexpr double focusRingGap = 1;
// The room the ring takes round a face, in whole points.
inline constexpr int focusRingRoom = 3;

// Draws the ring around face, whose corners have that radius, in control's accent.
void paintFocusRing(QPainter& painter, const QWidget& control, const QRectF& face,
                    double cornerRadius);

// For a control that keeps no room round its face (a sidebar row, a segment, a swatch's
// halo): the same ring along the inside of outline, whose corners have that radius. A face
// filled in the accent draws back by focusRingRoom while it shows, so the ring stays apart.
void paintFocusRingInside(QPainter& painter, const QWidget& control, const QRectF& outline,
                          double outlineRadius);

// For a control that draws no face of its own (a scrolling area): a ring just inside its
// edges, over whatever it shows, while it has the keyboard's focus.
void showFocusInside(QWidget& control, double cornerRadius);

// For a control that fills its holder edge to edge (holder is the control or one of its
// ancestors): a ring round the control, drawn on the holder's parent, where the room
// round the holder leaves it whole, while the control has the keyboard's focus.
void showFocusAround(QWidget& control, QWidget& holder, double cornerRadius);

} // namespace purlo
