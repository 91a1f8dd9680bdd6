#pragma once

#include "base/Geometry.h"
#include "platform/Cancellable.h"
#include "platform/EventLoop.h"

#include <QPointF>
#include <QWidget>
#include <functional>
#include <optional>

namespace purlo {

// What the companion's host does with her gestures. Positions are in the desktop's
// global space (y upward).
struct CompanionMouseActions {
    // The companion window's origin now.
    std::function<Point()> currentOrigin;
    std::function<void()> onSingleClick;
    std::function<void()> onDoubleClick;
    // True when the pointer comes onto her, false when it leaves.
    std::function<void(bool)> onHover;
    std::function<void()> onDragBegan;
    // The window origin that keeps the grabbed point of her under the pointer.
    std::function<void(double x, double y)> onDragMoved;
    std::function<void()> onDragEnded;
};

// An invisible layer over the whole companion that tells a single click, a double
// click, a drag and the pointer coming and going apart; what they mean is the host's
// business. A single click is reported only once the double-click interval after its
// release has passed without another press, so a double click never also counts as
// one. Presses are counted here, not taken from Qt, which starts counting again after
// every double click: a triple click is two double clicks. The first move with the
// button down begins a drag, with no distance to cross; a drag is never a click.
class CompanionMouseEventLayer final : public QWidget {
    Q_OBJECT

public:
    // Turns Qt's global position (y downward) into the desktop's global space.
    using ScreenPoint = std::function<Point(QPointF globalPosition)>;
    // Seconds; read at every press and release, so a change in the desktop's setting
    // counts at once.
    using DoubleClickInterval = std::function<double()>;

    // The loop must outlive the layer.
    CompanionMouseEventLayer(EventLoop& loop, ScreenPoint screenPoint,
                             DoubleClickInterval doubleClickInterval, QWidget* parent = nullptr);

    // The desktop's double-click interval as Qt knows it.
    static double systemDoubleClickInterval();

    // The host hands in its newest actions whenever it rebuilds.
    void setActions(CompanionMouseActions actions);

    // The pointer can no longer reach the layer (its window lets clicks through), and
    // the window system may never say that it left: it counts as gone now, and its next
    // arrival is news again.
    void forgetHover() { hover(false); }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double interval() const;
    void hover(bool inside);

    EventLoop& loop_;
    ScreenPoint screenPoint_;
    DoubleClickInterval doubleClickInterval_;
    CompanionMouseActions actions_;
    bool pressed_ = false;
    bool hovering_ = false;
    int clickCount_ = 0;
    Cancellable clickSequence_;
    Cancellable pendingSingleClick_;
    std::optional<Point> dragGrabOffset_;
};

} // namespace purlo
