#pragma once

#include <QAccessible>

namespace purlo {

// An accessibility factory that answers for the list of options of a settings menu: as
// assistive technology meets it, open or closed, each option is named by its text, the
// chosen one is marked selected, and "Press" on an option chooses it as a click does. Qt's
// own list offered "Toggle", which only selected the row in the list, so a reader heard an
// option chosen that the menu neither showed nor stored.
QAccessibleInterface* accessibleMenuOptions(const QString& className, QObject* object);

} // namespace purlo
