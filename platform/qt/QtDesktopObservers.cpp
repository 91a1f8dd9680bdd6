#include "platform/qt/QtDesktopObservers.h"

#include <QGuiApplication>
#include <QObject>
#include <QScreen>
#include <QWindow>
#include <memory>

namespace purlo {
namespace {

// Hands the observer's action to the loop, once for every burst of signals.
class Relay {
public:
    Relay(EventLoop& loop, EventLoop::Action action)
        : loop_(loop)
        , action_(std::move(action)) {}

    static void notify(const std::shared_ptr<Relay>& relay) {
        if (relay->pending_) {
            return;
        }
        relay->pending_ = true;
        relay->loop_.post([weak = std::weak_ptr<Relay>(relay)] {
            if (const auto alive = weak.lock()) {
                alive->pending_ = false;
                alive->action_();
            }
        });
    }

private:
    EventLoop& loop_;
    EventLoop::Action action_;
    bool pending_ = false;
};

// The connections live as long as their context object; dropping the handle deletes
// it, and with it every connection and the relay.
Cancellable ending(std::shared_ptr<QObject> context) {
    return Cancellable([context = std::move(context)]() mutable { context.reset(); });
}

void watchScreen(QScreen* screen, QObject* context, const std::shared_ptr<Relay>& relay) {
    const auto notify = [relay] {
        Relay::notify(relay);
    };
    QObject::connect(screen, &QScreen::geometryChanged, context, notify);
    QObject::connect(screen, &QScreen::availableGeometryChanged, context, notify);
}

} // namespace

QtDesktopObservers::QtDesktopObservers(EventLoop& loop,
                                       WakeDetector::SuspendedSeconds suspendedSeconds)
    : loop_(loop)
    , suspendedSeconds_(std::move(suspendedSeconds)) {}

// The action runs from the loop, after whatever else the window system had sent: the
// window that took the focus may have closed in between (its close button was what the
// user clicked, and the click activated it first), and Qt may even hand the focus to it
// once it is closed. That activation is over, and telling of it then would bring back a
// window the user has just closed.
Cancellable QtDesktopObservers::observeDidBecomeActive(EventLoop::Action action) {
    auto context = std::make_shared<QObject>();
    const auto relay = std::make_shared<Relay>(loop_, [action = std::move(action)] {
        const QWindow* focused = QGuiApplication::focusWindow();
        if (focused != nullptr && focused->isVisible()) {
            action();
        }
    });
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, context.get(),
                     [relay](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive) {
                             Relay::notify(relay);
                         }
                     });
    return ending(std::move(context));
}

Cancellable QtDesktopObservers::observeScreenParametersChanged(EventLoop::Action action) {
    auto context = std::make_shared<QObject>();
    const auto relay = std::make_shared<Relay>(loop_, std::move(action));
    QObject* const contextObject = context.get();
    const auto notify = [relay] {
        Relay::notify(relay);
    };
    for (QScreen* screen : QGuiApplication::screens()) {
        watchScreen(screen, contextObject, relay);
    }
    QObject::connect(qGuiApp, &QGuiApplication::screenAdded, contextObject,
                     [contextObject, relay](QScreen* screen) {
                         watchScreen(screen, contextObject, relay);
                         Relay::notify(relay);
                     });
    QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, contextObject, notify);
    QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, contextObject, notify);
    return ending(std::move(context));
}

Cancellable QtDesktopObservers::observeDidWake(EventLoop::Action action) {
    auto detector = std::make_shared<WakeDetector>(loop_, suspendedSeconds_, std::move(action));
    return Cancellable([detector = std::move(detector)]() mutable { detector.reset(); });
}

} // namespace purlo
