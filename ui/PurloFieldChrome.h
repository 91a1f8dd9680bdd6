#pragma once

class QLineEdit;
class QWidget;

namespace purlo {

// The look the windows' text and number fields share: a rounded box in the control
// fill whose one-point outline, inside its edge, takes the accent while the field has
// focus. Painted over the whole of box.
void paintFieldBox(QWidget& box, double cornerRadius, bool focused);

// Typed text in the theme's colours on a clear ground, so the box shows through; the
// colours are those of the surface the field sits on.
void applyFieldTextColors(QLineEdit& field, const QWidget& surface);

} // namespace purlo
