#include "settings/HoverFlag.h"

#include <QCursor>
#include <QEvent>
#include <QWidget>
#include <utility>

namespace purlo {

HoverFlag::HoverFlag(QWidget& view, std::function<void(bool)> changed)
    : view_(view)
    , changed_(std::move(changed)) {
    view.installEventFilter(this);
}

bool HoverFlag::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_) {
        switch (event->type()) {
        case QEvent::Enter:
            set(true);
            break;
        case QEvent::Leave:
        case QEvent::Hide:
            set(false);
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (value_) {
                set(pointerIsOverView());
            }
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void HoverFlag::set(bool hovering) {
    if (hovering == value_) {
        return;
    }
    value_ = hovering;
    changed_(hovering);
}

bool HoverFlag::pointerIsOverView() const {
    return view_.rect().contains(view_.mapFromGlobal(QCursor::pos()));
}

} // namespace purlo
