#include "ui/FixedWindowFrame.h"

#include <QEvent>
#include <QWidget>

namespace purlo {
namespace {

// Lives as the window's child, so it goes with the window.
class FixedFrameKeeper final : public QObject {
public:
    FixedFrameKeeper(QWidget& window, FixedWindowHints& hints, FixedWindowHints::Buttons buttons)
        : QObject(&window)
        , window_(window)
        , hints_(hints)
        , buttons_(buttons) {
        window.installEventFilter(this);
    }

protected:
    // The show event comes once the native window exists, with the toolkit's hints
    // written, and before it is mapped: the window manager reads these when it takes
    // the window on.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show) {
            hints_.prepare(static_cast<std::uint64_t>(window_.winId()), buttons_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& window_;
    FixedWindowHints& hints_;
    FixedWindowHints::Buttons buttons_;
};

} // namespace

void keepFixedFrame(QWidget& window, FixedWindowHints& hints, FixedWindowHints::Buttons buttons) {
    new FixedFrameKeeper(window, hints, buttons);
}

} // namespace purlo
