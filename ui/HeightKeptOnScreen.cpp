#include "ui/HeightKeptOnScreen.h"

#include "ui/WindowPlacement.h"

#include <QEvent>
#include <QWidget>

namespace purlo {

HeightKeptOnScreen::HeightKeptOnScreen(QWidget& window, int designedHeight)
    : window_(window)
    , designedHeight_(designedHeight) {
    window_.installEventFilter(this);
}

void HeightKeptOnScreen::center() {
    fitHeightToScreen(window_, designedHeight_);
    centerOnScreen(window_);
}

void HeightKeptOnScreen::fitAgain() {
    const int height = window_.height();
    fitHeightToScreen(window_, designedHeight_);
    if (window_.height() != height) {
        centerOnScreen(window_);
    }
}

bool HeightKeptOnScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Move && tallerThanScreen(window_)) {
        center();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace purlo
