#pragma once

#include "platform/Cancellable.h"

#include <functional>

namespace purlo {

// The program's one thread of work. Everything that touches shared state runs on
// it: timers, posted work and readable descriptors. Nothing sleeps.
class EventLoop {
public:
    using Action = std::function<void()>;

    virtual ~EventLoop() = default;

    // Runs action every interval seconds until the handle is cancelled or destroyed.
    // Keeps firing while menus and drags run loops of their own.
    [[nodiscard]] virtual Cancellable scheduleRepeating(double intervalSeconds, Action action) = 0;
    // The same, but each run may come up to toleranceSeconds after it is due, so that it
    // takes a wake-up of other work rather than one of its own. The runs keep to the
    // interval's grid: lateness never adds up.
    [[nodiscard]] virtual Cancellable scheduleRepeatingWithTolerance(double intervalSeconds,
                                                                     double toleranceSeconds,
                                                                     Action action) = 0;
    // Runs action once, delaySeconds from now, unless cancelled first.
    [[nodiscard]] virtual Cancellable scheduleOnce(double delaySeconds, Action action) = 0;
    // Runs action on a later turn of the loop.
    virtual void post(Action action) = 0;
    // Runs action once, delaySeconds from now; it cannot be cancelled.
    virtual void postAfter(double delaySeconds, Action action) = 0;
    // Runs action whenever fd has data to read.
    [[nodiscard]] virtual Cancellable watchFd(int fd, Action action) = 0;
};

} // namespace purlo
