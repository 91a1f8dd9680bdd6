#pragma once

#include "platform/Cancellable.h"
#include "platform/EventLoop.h"

#include <functional>

namespace purlo {

// Seconds the machine has spent suspended since it started: the boot-time clock
// counts through a sleep, the monotonic clock does not.
double suspendedSecondsSinceBoot();

// Notices that the machine woke from sleep. Linux sends no notice a program can rely
// on, but a sleep shows afterwards as a jump of the suspended seconds, so they are
// compared every few seconds on the event loop.
class WakeDetector {
public:
    static constexpr double checkInterval = 2.0;
    // Growth between two checks that counts as a sleep; smaller steps are the two
    // clocks being read a moment apart.
    static constexpr double minimumSleep = 3.0;

    using SuspendedSeconds = std::function<double()>;

    WakeDetector(EventLoop& loop, SuspendedSeconds suspendedSeconds, EventLoop::Action onWake);
    WakeDetector(const WakeDetector&) = delete;
    WakeDetector& operator=(const WakeDetector&) = delete;

private:
    void check();

    SuspendedSeconds suspendedSeconds_;
    EventLoop::Action onWake_;
    double lastSuspendedSeconds_;
    Cancellable timer_;
};

} // namespace purlo
