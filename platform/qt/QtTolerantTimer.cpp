#include "platform/qt/QtTolerantTimer.h"

#include <QAbstractEventDispatcher>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace purlo {
namespace {

double secondsNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

QtTolerantTimer::QtTolerantTimer(double intervalSeconds, double toleranceSeconds,
                                 std::function<void()> action, QObject* parent)
    : QObject(parent)
    , schedule_(TolerantSchedule::alignedAfter(secondsNow(), intervalSeconds, toleranceSeconds))
    , action_(std::move(action)) {
    connect(&deadline_, &QTimer::timeout, this, &QtTolerantTimer::runAtDeadline);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread())) {
        beforeSleep_ = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                               &QtTolerantTimer::runBeforeSleep);
    }
    awaitDeadline();
}

void QtTolerantTimer::stop() {
    deadline_.stop();
    disconnect(beforeSleep_);
}

// The schedule moves on before the action runs, so a loop the action runs inside does not
// take the same run again.
void QtTolerantTimer::runBeforeSleep() {
    if (schedule_.takeIfDue(secondsNow())) {
        awaitDeadline();
        action_();
    }
}

void QtTolerantTimer::runAtDeadline() {
    if (schedule_.takeIfDue(secondsNow())) {
        keepToDeadlines();
        action_();
    }
}

// A run taken early moves the deadline on: the timer fires once, at the next one. Whole
// milliseconds, rounded up: it never fires before that run is due.
void QtTolerantTimer::awaitDeadline() {
    const double seconds = std::max(schedule_.deadline() - secondsNow(), 0.0);
    deadline_.setSingleShot(true);
    deadline_.setTimerType(Qt::PreciseTimer);
    deadline_.start(std::chrono::milliseconds(static_cast<long>(std::ceil(seconds * 1000))));
}

// Taken at its deadline, the run leaves the next ones an interval apart, on the boundaries a
// coarse timer of that interval keeps to by itself: once set, it is left alone for as long
// as nothing else wakes the loop first.
void QtTolerantTimer::keepToDeadlines() {
    if (!deadline_.isSingleShot()) {
        return;
    }
    deadline_.setSingleShot(false);
    deadline_.setTimerType(Qt::CoarseTimer);
    deadline_.start(
        std::chrono::milliseconds(static_cast<long>(std::lround(schedule_.interval() * 1000))));
}

} // namespace purlo
