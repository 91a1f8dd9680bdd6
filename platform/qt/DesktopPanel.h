#pragma once

#include "base/Geometry.h"
#include "platform/PanelHints.h"

#include <QRect>
#include <QWidget>
#include <optional>

namespace purlo {

// A small borderless window that lives on the desktop rather than among the user's
// windows: translucent, never focused, in no taskbar, on every workspace, floating
// above other windows or lying at desktop level, and either taking the mouse or
// letting clicks fall through to whatever is below. It is placed by its lower-left
// corner in the desktop's global space (y upward).
//
// The toolkit builds a new native window whenever a widget's window flags change,
// which would make the panel flicker; here the flags are changed on the existing
// native window, and only when they change.
class DesktopPanel final : public QWidget {
    Q_OBJECT

public:
    enum class Level { floating, desktop };

    // hints must outlive the panel.
    DesktopPanel(Size size, bool ignoresMouseEvents, PanelHints& hints, QWidget* parent = nullptr);

    Level level() const { return level_; }
    void setLevel(Level level);

    bool ignoresMouseEvents() const;
    void setIgnoresMouseEvents(bool ignores);

    // Only area (in points, from the panel's top-left corner) takes the pointer from now
    // on; the window system sends whatever happens beside it to the windows below at
    // once. Told to the window system only when it changes.
    void setInputArea(QRect area);

    // The lower-left corner in global coordinates, in whole points.
    Point origin() const;
    // Moves the panel when its origin lands on another point. A position that is not a
    // number is no place and is ignored; one beyond the window system's range is held
    // at its edge.
    void setOrigin(Point origin);

    // Shows the panel; at the floating level it also comes above other windows.
    void orderFront();
    // Shows the panel and brings it to the front of its level, whatever the level.
    void orderFrontRegardless();
    void orderOut();

private:
    void applyFlags(Qt::WindowFlags flags);
    void showPrepared();

    PanelHints& hints_;
    Level level_ = Level::floating;
    std::optional<QRect> inputArea_;
};

} // namespace purlo
