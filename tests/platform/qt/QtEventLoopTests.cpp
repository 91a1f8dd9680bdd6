#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace purlo {
namespace {

// Runs Qt's real loop until done() holds or limitMs pass: only the binding to Qt is
// shown here, every rule that depends on time is tested on the manual loop.
bool runUntil(const std::function<bool()>& done, int limitMs = 2000) {
    for (QDeadlineTimer deadline(limitMs); !done() && !deadline.hasExpired();) {
        QCoreApplication::processEvents();
    }
    return done();
}

// The same, letting the loop sleep between wake-ups as the program's does; something must
// wake it within limitMs.
bool runSleeping(const std::function<bool()>& done, int limitMs = 2000) {
    for (QDeadlineTimer deadline(limitMs); !done() && !deadline.hasExpired();) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

TEST(QtEventLoop, RunsPostsTimersAndDescriptorsUntilCancelledAndHandlesMayOutliveIt) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    auto events = std::make_unique<QtEventLoop>();
    std::string order;
    int repeats = 0;
    int reads = 0;
    Cancellable repeating;
    repeating = events->scheduleRepeating(0.001, [&] {
        if (++repeats == 3) {
            repeating.cancel();
        }
    });
    events->scheduleOnce(0.001, [&] { order += 'x'; }).cancel();
    const Cancellable once = events->scheduleOnce(0.001, [&] { order += 'o'; });
    Cancellable watch = events->watchFd(ends[0], [&] {
        char byte;
        reads += ::read(ends[0], &byte, 1) == 1;
    });
    events->post([&] { order += 'a'; });
    events->post([&] { order += 'b'; });
    events->postAfter(0.001, [&] { order += 'c'; });
    ASSERT_EQ(::write(ends[1], "r", 1), 1);
    EXPECT_EQ(order, "");
    ASSERT_TRUE(runUntil([&] { return order.size() == 4 && repeats == 3 && reads == 1; }));
    EXPECT_EQ(order.substr(0, 2), "ab");

    watch.cancel();
    ASSERT_EQ(::write(ends[1], "r", 1), 1);
    runUntil([] { return false; }, 20);
    EXPECT_EQ(repeats, 3);
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(order.size(), 4u) << order;

    Cancellable timer = events->scheduleRepeating(0.001, [&] { order += 't'; });
    const Cancellable later = events->scheduleOnce(0.001, [&] { order += 'l'; });
    events.reset();
    timer.cancel();
    runUntil([] { return false; }, 10);
    EXPECT_EQ(order.size(), 4u) << order;
    ::close(ends[0]);
    ::close(ends[1]);
}

// A run that may come late is taken when the loop wakes for other work once it is due,
// however long its tolerance; with nothing else to wake the loop it comes by its deadline.
TEST(QtEventLoop, RunsThatMayComeLateTakeOtherWakeUpsOrWakeTheLoopByTheirDeadline) {
    QtEventLoop events;
    int late = 0;
    Cancellable tolerant = events.scheduleRepeatingWithTolerance(0.005, 3600, [&] { ++late; });
    Cancellable other = events.scheduleRepeating(0.001, [] {});
    EXPECT_TRUE(runSleeping([&] { return late >= 3; }));
    tolerant.cancel();
    const int taken = late;
    runSleeping([] { return false; }, 20);
    EXPECT_EQ(late, taken) << "ran after it was cancelled";
    other.cancel();

    int alone = 0;
    const Cancellable deadline =
        events.scheduleRepeatingWithTolerance(0.001, 0.001, [&] { ++alone; });
    EXPECT_TRUE(runSleeping([&] { return alone >= 3; }));
}

} // namespace
} // namespace purlo
