#include "platform/qt/QtEventLoop.h"

#include "platform/qt/QtTolerantTimer.h"

#include <QMetaObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <type_traits>

namespace purlo {
namespace {

// Seconds to whole milliseconds, as Qt's timers count, within what they accept.
std::chrono::milliseconds milliseconds(double seconds) {
    const double rounded = std::round(seconds * 1000.0);
    if (!(rounded > 0)) {
        return std::chrono::milliseconds(0);
    }
    return std::chrono::milliseconds(static_cast<int>(std::min(rounded, double(INT_MAX))));
}

// Stops the object's work at once and frees it once control is back in the loop, so a
// handle may be cancelled from inside its own callback.
template <typename Object>
Cancellable cancelling(Object* object) {
    return Cancellable([guarded = QPointer<Object>(object)] {
        if (guarded) {
            if constexpr (std::is_same_v<Object, QSocketNotifier>) {
                guarded->setEnabled(false);
            } else {
                guarded->stop();
            }
            guarded->deleteLater();
        }
    });
}

} // namespace

Cancellable QtEventLoop::schedule(double seconds, bool repeating, Action action) {
    auto* timer = new QTimer(&context_);
    // A repeating timer may fire a twentieth of its interval early or late, which lets Qt
    // line it up on round boundaries with the others, so that one wake-up serves several;
    // a single delay keeps its moment.
    timer->setTimerType(repeating ? Qt::CoarseTimer : Qt::PreciseTimer);
    timer->setSingleShot(!repeating);
    timer->setInterval(milliseconds(seconds));
    QObject::connect(timer, &QTimer::timeout, timer,
                     [timer, repeating, action = std::move(action)] {
                         if (!repeating) {
                             timer->deleteLater();
                         }
                         action();
                     });
    timer->start();
    return cancelling(timer);
}

Cancellable QtEventLoop::scheduleRepeating(double intervalSeconds, Action action) {
    return schedule(intervalSeconds, true, std::move(action));
}

Cancellable QtEventLoop::scheduleRepeatingWithTolerance(double intervalSeconds,
                                                        double toleranceSeconds, Action action) {
    return cancelling(
        new QtTolerantTimer(intervalSeconds, toleranceSeconds, std::move(action), &context_));
}

Cancellable QtEventLoop::scheduleOnce(double delaySeconds, Action action) {
    return schedule(delaySeconds, false, std::move(action));
}

void QtEventLoop::post(Action action) {
    QMetaObject::invokeMethod(&context_, std::move(action), Qt::QueuedConnection);
}

void QtEventLoop::postAfter(double delaySeconds, Action action) {
    QTimer::singleShot(milliseconds(delaySeconds), Qt::PreciseTimer, &context_, std::move(action));
}

Cancellable QtEventLoop::watchFd(int fd, Action action) {
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, &context_);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [action = std::move(action)] { action(); });
    return cancelling(notifier);
}

} // namespace purlo
