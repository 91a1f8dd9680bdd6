#pragma once

class QLineEdit;
class QWidget;

namespace purlo {

// The look the windows' text and number fields share, and what they take: a rounded box
// in the control fill whose one-point outline, inside its edge, takes the accent while the
// field has focus. Painted over the whole of box.
void paintFieldBox(QWidget& box, double cornerRadius, bool focused);

// Typed text in the theme's colours on a clear ground, so the box shows through; the
// colours are those of the surface the field sits on.
void applyFieldTextColors(QLineEdit& field, const QWidget& surface);

// A disabled field takes no typing, and so no text from assistive technology either. Qt's
// line edit takes and shows such text even while disabled or read-only; made read-only
// here, it tells a reader it cannot be edited, and its owner shows its own text again
// whenever the text of a read-only field changes. Called as the enabled state changes.
void refuseTextWhileDisabled(QLineEdit& field);

} // namespace purlo
