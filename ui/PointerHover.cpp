#include "ui/PointerHover.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace purlo {

PointerHover::PointerHover(QWidget& widget, std::function<void(bool)> changed,
                           std::function<void()> cameUnder)
    : widget_(widget)
    , changed_(std::move(changed))
    , cameUnder_(std::move(cameUnder)) {
    widget_.installEventFilter(this);
    watchWindow();
}

bool PointerHover::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &widget_) {
        widgetEvent(*event);
    } else if (watched == window_) {
        windowEvent(*event);
    }
    return false;
}

void PointerHover::widgetEvent(const QEvent& event) {
    switch (event.type()) {
    case QEvent::Enter:
        set(true);
        break;
    case QEvent::Leave:
        set(false);
        break;
    case QEvent::Hide:
        place_ = QRect();
        set(false);
        break;
    case QEvent::Show:
        watchWindow();
        follow(QCursor::pos(), Mover::widget);
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (widget_.isVisible()) {
            follow(QCursor::pos(), Mover::widget);
        }
        break;
    default:
        break;
    }
}

void PointerHover::windowEvent(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseMove:
        follow(static_cast<const QMouseEvent&>(event).globalPosition(), Mover::pointer);
        break;
    case QEvent::Leave:
        set(false);
        break;
    // The window system has placed the window somewhere else under a still pointer.
    case QEvent::Move:
        recheck();
        break;
    default:
        break;
    }
}

void PointerHover::recheck() {
    follow(QCursor::pos(), Mover::widget);
}

void PointerHover::follow(QPointF globalPosition, Mover mover) {
    const QRect place(widget_.mapToGlobal(QPoint(0, 0)), widget_.size());
    const bool moved = place != place_;
    place_ = place;
    const bool over = widget_.isVisible() &&
                      widget_.rect().contains(widget_.mapFromGlobal(globalPosition).toPoint());
    set(over);
    if (over && moved && mover == Mover::widget && cameUnder_) {
        cameUnder_();
    }
}

void PointerHover::set(bool hovering) {
    if (hovering == hovering_) {
        return;
    }
    hovering_ = hovering;
    if (changed_) {
        changed_(hovering);
    }
}

void PointerHover::watchWindow() {
    QWindow* window = widget_.window()->windowHandle();
    if (window == window_) {
        return;
    }
    if (window_) {
        window_->removeEventFilter(this);
    }
    window_ = window;
    if (window_) {
        window_->installEventFilter(this);
    }
}

} // namespace purlo
