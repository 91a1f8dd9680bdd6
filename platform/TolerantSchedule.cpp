#include "platform/TolerantSchedule.h"

#include <algorithm>
#include <cmath>

namespace purlo {
namespace {

constexpr double shortestInterval = 0.001;

} // namespace

TolerantSchedule::TolerantSchedule(double firstDue, double interval, double tolerance)
    : due_(firstDue)
    , interval_(std::max(interval, shortestInterval))
    , tolerance_(std::max(tolerance, 0.0)) {}

TolerantSchedule TolerantSchedule::alignedAfter(double now, double interval, double tolerance) {
    TolerantSchedule schedule(now + interval, interval, tolerance);
    const double firstDeadline =
        std::ceil(schedule.deadline() / schedule.interval_) * schedule.interval_;
    schedule.due_ = firstDeadline - schedule.tolerance_;
    return schedule;
}

bool TolerantSchedule::takeIfDue(double now) {
    if (!(now >= due_)) {
        return false;
    }
    due_ += interval_ * (std::floor((now - due_) / interval_) + 1);
    return true;
}

} // namespace purlo
