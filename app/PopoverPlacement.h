#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace purlo {

// Where the popover's window goes for an anchor (the tray icon, or the pointer where
// the tray does not say where its icon is), in Qt's global coordinates: centred under
// the anchor when it fits below it on the screen's free area, else above it (a panel at
// the bottom), else as near as the screen allows; never past the area's left and right
// edges.
QPoint popoverOrigin(const QRect& anchor, const QSize& popover, const QRect& availableArea);

} // namespace purlo
