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

// The edge of an open popover that faces the panel it opened from: its top under a panel
// at the top of the screen, its bottom over one at the bottom.
struct PanelEdge {
    enum class Side { top, bottom };

    Side side = Side::top;
    // Where that edge lies: the popover's first row of pixels for the top, the row just
    // below its last for the bottom.
    int y = 0;
};

// The edge of a popover opened at that place that faces its anchor.
PanelEdge panelEdge(const QRect& anchor, const QRect& opened);

// Where an open popover goes at a new size: its edge stays on the panel and only the far
// edge moves, unless the area's edge stops it.
QRect keptOnPanel(const PanelEdge& edge, int x, const QSize& popover, const QRect& availableArea);

} // namespace purlo
