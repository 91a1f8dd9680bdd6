#include "companion/qt/CompanionMouseEventLayer.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <cmath>

namespace purlo {
namespace {

// Calls a copy of the action: the action may hand the layer new actions, replacing the
// one that is running.
template <typename Action, typename... Arguments>
void perform(const Action& action, Arguments... arguments) {
    if (const Action copy = action) {
        copy(arguments...);
    }
}

} // namespace

CompanionMouseEventLayer::CompanionMouseEventLayer(EventLoop& loop, ScreenPoint screenPoint,
                                                   DoubleClickInterval doubleClickInterval,
                                                   QWidget* parent)
    : QWidget(parent)
    , loop_(loop)
    , screenPoint_(std::move(screenPoint))
    , doubleClickInterval_(std::move(doubleClickInterval)) {
    setAttribute(Qt::WA_TranslucentBackground);
}

double CompanionMouseEventLayer::systemDoubleClickInterval() {
    return QApplication::doubleClickInterval() / 1000.0;
}

void CompanionMouseEventLayer::setActions(CompanionMouseActions actions) {
    actions_ = std::move(actions);
}

double CompanionMouseEventLayer::interval() const {
    const double seconds = doubleClickInterval_ ? doubleClickInterval_() : 0.0;
    return std::isfinite(seconds) && seconds > 0 ? seconds : 0.0;
}

void CompanionMouseEventLayer::hover(bool inside) {
    if (inside == hovering_) {
        return;
    }
    hovering_ = inside;
    perform(actions_.onHover, inside);
}

void CompanionMouseEventLayer::enterEvent(QEnterEvent*) {
    hover(true);
}

void CompanionMouseEventLayer::leaveEvent(QEvent*) {
    hover(false);
}

// Qt hands the second press of a double click to mouseDoubleClickEvent, which for a
// widget passes it on here, so every press arrives here.
void CompanionMouseEventLayer::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    pressed_ = true;
    pendingSingleClick_.cancel();
    ++clickCount_;
    clickSequence_ = loop_.scheduleOnce(interval(), [this] { clickCount_ = 0; });
}

void CompanionMouseEventLayer::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !(event->buttons() & Qt::LeftButton)) {
        return;
    }
    // The global position: the window moves under the pointer while she is carried.
    const Point pointer = screenPoint_(event->globalPosition());
    if (!dragGrabOffset_) {
        const Point origin = actions_.currentOrigin ? actions_.currentOrigin() : Point{};
        dragGrabOffset_ = Point{pointer.x - origin.x, pointer.y - origin.y};
        perform(actions_.onDragBegan);
        if (!dragGrabOffset_) {
            return;
        }
    }
    const Point offset = *dragGrabOffset_;
    perform(actions_.onDragMoved, pointer.x - offset.x, pointer.y - offset.y);
}

void CompanionMouseEventLayer::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) {
        return;
    }
    pressed_ = false;
    if (dragGrabOffset_) {
        // The presses before a drag do not join the clicks after it.
        dragGrabOffset_.reset();
        clickSequence_.cancel();
        clickCount_ = 0;
        perform(actions_.onDragEnded);
    } else if (clickCount_ < 2) {
        pendingSingleClick_ =
            loop_.scheduleOnce(interval(), [this] { perform(actions_.onSingleClick); });
    } else {
        pendingSingleClick_.cancel();
        perform(actions_.onDoubleClick);
    }
}

} // namespace purlo
