#pragma once

#include <QHideEvent>
#include <QTimer>

namespace purlo {

// A top-level window that gives back its native window, and with it the image the
// window system shares with the program (a few bytes per pixel, two mebibytes for
// Settings), as soon as it is hidden. The widgets and everything they show stay; the
// next show makes a new native window. For windows that are open now and then and
// closed most of the time.
template <typename Widget>
class ReleasedWhenHidden : public Widget {
public:
    using Widget::Widget;

protected:
    void hideEvent(QHideEvent* event) override {
        Widget::hideEvent(event);
        // Once the hiding is over, and only when nothing showed the window again since.
        QTimer::singleShot(0, this, [this] {
            if (this->isWindow() && this->isHidden()) {
                this->destroy();
            }
        });
    }
};

} // namespace purlo
