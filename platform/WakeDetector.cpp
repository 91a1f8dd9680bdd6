#include "platform/WakeDetector.h"

#include <ctime>

namespace purlo {
namespace {

double seconds(clockid_t clock) {
    timespec now{};
    if (clock_gettime(clock, &now) != 0) {
        return 0;
    }
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

double suspendedSecondsSinceBoot() {
    return seconds(CLOCK_BOOTTIME) - seconds(CLOCK_MONOTONIC);
}

WakeDetector::WakeDetector(EventLoop& loop, SuspendedSeconds suspendedSeconds,
                           EventLoop::Action onWake)
    : suspendedSeconds_(std::move(suspendedSeconds))
    , onWake_(std::move(onWake))
    , lastSuspendedSeconds_(suspendedSeconds_())
    , timer_(loop.scheduleRepeating(checkInterval, [this] { check(); })) {}

void WakeDetector::check() {
    const double suspended = suspendedSeconds_();
    const bool slept = suspended - lastSuspendedSeconds_ > minimumSleep;
    lastSuspendedSeconds_ = suspended;
    if (slept) {
        onWake_();
    }
}

} // namespace purlo
