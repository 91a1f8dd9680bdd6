#pragma once

#include <QString>

class QWidget;

namespace purlo {

// Whether the control takes the keyboard and assistive technology finds no name for it
// there (a number or text field says nothing of what it is for, a button says its text).
// A mere holder of other controls takes no keyboard of its own.
bool heardWithoutName(QWidget& control);

// Names the control for assistive technology, and with it every widget in it that hands
// the keyboard on to the same place (the field, the box around it): whichever of them a
// screen reader finds focused, it reads that name.
void nameForAssistiveTechnology(QWidget& control, const QString& name);

} // namespace purlo
