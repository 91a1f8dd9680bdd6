#pragma once

#include "platform/EventLoop.h"

#include <QObject>

namespace purlo {

// The program's event loop on Qt's: Qt's timers (which keep firing while menus and drags
// run loops of their own), tolerant ones that wait for the loop's other wake-ups, queued
// calls for posted work and socket notifiers for watched descriptors. Everything runs on
// the thread that owns the application object. Handles may outlive the loop: destroying
// it drops whatever is still pending.
class QtEventLoop final : public EventLoop {
public:
    QtEventLoop() = default;
    QtEventLoop(const QtEventLoop&) = delete;
    QtEventLoop& operator=(const QtEventLoop&) = delete;

    [[nodiscard]] Cancellable scheduleRepeating(double intervalSeconds, Action action) override;
    [[nodiscard]] Cancellable scheduleRepeatingWithTolerance(double intervalSeconds,
                                                             double toleranceSeconds,
                                                             Action action) override;
    [[nodiscard]] Cancellable scheduleOnce(double delaySeconds, Action action) override;
    void post(Action action) override;
    void postAfter(double delaySeconds, Action action) override;
    [[nodiscard]] Cancellable watchFd(int fd, Action action) override;

private:
    Cancellable schedule(double seconds, bool repeating, Action action);

    // Parent of every timer and notifier, and the receiver of posted work, so that all
    // of it ends with the loop.
    QObject context_;
};

} // namespace purlo
