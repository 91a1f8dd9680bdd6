#pragma once

class QWidget;

namespace purlo {

// Moves the keyboard's focus in window to the next control, or the one before, in the
// order the window's layouts place its controls, which is the order they stand on the
// screen; past the last it comes round to the first. For a window's focusNextPrevChild:
// Qt's own order is the order in which widgets joined the window, so a row, a slide or
// a form built after the controls below it would otherwise be reached after them.
// Children that no layout places (a scrolling area's viewport, a splitter's panes) come
// by where they stand. False when nothing in the window takes Tab.
bool moveFocusAsLaidOut(QWidget& window, bool next);

} // namespace purlo
