#pragma once

#include "platform/TolerantSchedule.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace purlo {

// A repeating timer whose runs may come up to a tolerance late, so that they share the
// loop's wake-ups with other work: once a run is due it is taken the next time the loop is
// about to sleep, and only a run still waiting at its deadline wakes the loop itself. It
// runs in nested loops (menus, drags) as in the main one.
class QtTolerantTimer final : public QObject {
public:
    QtTolerantTimer(double intervalSeconds, double toleranceSeconds, std::function<void()> action,
                    QObject* parent);

    // No run from now on.
    void stop();

private:
    void runBeforeSleep();
    void runAtDeadline();
    void awaitDeadline();
    void keepToDeadlines();

    TolerantSchedule schedule_;
    std::function<void()> action_;
    QTimer deadline_;
    QMetaObject::Connection beforeSleep_;
};

} // namespace purlo
