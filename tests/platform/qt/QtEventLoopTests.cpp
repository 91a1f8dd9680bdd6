#include "platform/qt/QtEventLoop.h"

#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

namespace purlo {
namespace {

// Runs Qt's real loop until done() holds or limitMs pass. Only here, to show the binding
// to Qt works; every rule that depends on time is tested on the manual loop.
bool runUntil(const std::function<bool()>& done, int limitMs = 100) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    poll.start(1);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    if (!done()) {
        loop.exec();
    }
    return done();
}

void runFor(int milliseconds) {
    runUntil([] { return false; }, milliseconds);
}

TEST(QtEventLoop, RepeatingTimerFiresUntilItCancelsItself) {
    QtEventLoop events;
    int fired = 0;
    Cancellable timer;
    timer = events.scheduleRepeating(0.001, [&] {
        if (++fired == 3) {
            timer.cancel();
        }
    });
    ASSERT_TRUE(runUntil([&] { return fired >= 3; }));
    runFor(15);
    EXPECT_EQ(fired, 3);
}

TEST(QtEventLoop, OneShotFiresOnceUnlessCancelled) {
    QtEventLoop events;
    int kept = 0;
    int cancelled = 0;
    Cancellable keptTimer = events.scheduleOnce(0.001, [&] { ++kept; });
    Cancellable cancelledTimer = events.scheduleOnce(0.001, [&] { ++cancelled; });
    cancelledTimer.cancel();
    ASSERT_TRUE(runUntil([&] { return kept == 1; }));
    runFor(15);
    EXPECT_EQ(kept, 1);
    EXPECT_EQ(cancelled, 0);
}

TEST(QtEventLoop, PostedWorkRunsLaterInOrder) {
    QtEventLoop events;
    std::string order;
    events.post([&] { order += 'a'; });
    events.post([&] { order += 'b'; });
    events.postAfter(0.001, [&] { order += 'c'; });
    EXPECT_EQ(order, "");
    ASSERT_TRUE(runUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, "abc");
}

TEST(QtEventLoop, WatchedDescriptorReportsDataUntilCancelled) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    QtEventLoop events;
    int reads = 0;
    Cancellable watch = events.watchFd(ends[0], [&] {
        char byte;
        if (::read(ends[0], &byte, 1) == 1) {
            ++reads;
        }
    });
    ASSERT_EQ(::write(ends[1], "x", 1), 1);
    EXPECT_TRUE(runUntil([&] { return reads == 1; }));
    watch.cancel();
    ASSERT_EQ(::write(ends[1], "y", 1), 1);
    runFor(15);
    EXPECT_EQ(reads, 1);
    ::close(ends[0]);
    ::close(ends[1]);
}

TEST(QtEventLoop, HandlesMayOutliveTheLoop) {
    auto events = std::make_unique<QtEventLoop>();
    int fired = 0;
    Cancellable timer = events->scheduleRepeating(0.001, [&] { ++fired; });
    Cancellable once = events->scheduleOnce(0.001, [&] { ++fired; });
    events.reset();
    timer.cancel();
    runFor(10);
    EXPECT_EQ(fired, 0);
}

} // namespace
} // namespace purlo
