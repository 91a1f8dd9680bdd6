#include "runtime/TypingActivityMonitor.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeSensorSources.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::FakeClock;
using testing::FakeKeyEventSource;

struct WindowCase {
    const char* name;
    std::vector<double> presses;
    double now;
    std::int64_t count;
    double keysPerSecond;
    std::optional<double> last;
};

TEST(TypingActivityMonitor, CountsOnlyThePressesInsideTheWindow) {
    const std::vector<WindowCase> cases{
        {"ten presses in a second, read half a second later",
         {1000.0, 1000.1, 1000.2, 1000.3, 1000.4, 1000.5, 1000.6, 1000.7, 1000.8, 1000.9},
         1001.4,
         10,
         4.0,
         1000.9},
        {"read 2.6 s after the last press", {1000.0}, 1002.6, 0, 0.0, 1000.0},
        {"a press exactly one window old still counts", {1000.0}, 1002.5, 1, 0.4, 1000.0},
        {"a press just older than the window does not", {1000.0}, 1002.5001, 0, 0.0, 1000.0},
        {"older presses drop out, newer stay", {1000.0, 1001.0, 1002.0}, 1003.2, 2, 0.8, 1002.0},
        {"nothing pressed yet", {}, 1000.0, 0, 0.0, std::nullopt},
    };
    for (const auto& c : cases) {
        FakeKeyEventSource keys;
        FakeClock clock;
        TypingActivityMonitor monitor(keys, clock);
        for (const double time : c.presses) {
            monitor.recordKeyPress(time);
        }
        const TypingSnapshot snapshot = monitor.snapshot(c.now);
        EXPECT_EQ(snapshot.recentKeyPressCount, c.count) << c.name;
        EXPECT_DOUBLE_EQ(snapshot.keysPerSecond, c.keysPerSecond) << c.name;
        EXPECT_EQ(snapshot.lastKeyPressTime, c.last) << c.name;
    }
}

TEST(TypingActivityMonitor, StampsEachPressWithTheClockWhenItArrives) {
    FakeKeyEventSource keys;
    FakeClock clock(500);
    TypingActivityMonitor monitor(keys, clock);
    monitor.start();
    keys.press();
    clock.advance(2.0);
    keys.press(2);
    clock.advance(1.0);

    const TypingSnapshot snapshot = monitor.snapshot(clock.uptime());
    EXPECT_EQ(snapshot.recentKeyPressCount, 2);
    EXPECT_EQ(snapshot.lastKeyPressTime, 502.0);
}

TEST(TypingActivityMonitor, ListensOnceAndStopsHarmlessly) {
    FakeKeyEventSource keys;
    FakeClock clock;
    TypingActivityMonitor monitor(keys, clock);

    monitor.start();
    monitor.start();
    EXPECT_TRUE(monitor.isRunning());
    EXPECT_EQ(keys.listenCount, 1);

    monitor.stop();
    monitor.stop();
    EXPECT_FALSE(monitor.isRunning());
    EXPECT_FALSE(keys.isListening());

    monitor.start();
    EXPECT_TRUE(monitor.isRunning());
    EXPECT_EQ(keys.listenCount, 2);
}

TEST(TypingActivityMonitor, StaysStoppedWhileItCannotListenAndStartsOnceItCan) {
    FakeKeyEventSource keys;
    keys.granted = false;
    FakeClock clock;
    TypingActivityMonitor monitor(keys, clock);

    monitor.start();
    keys.press(5);
    EXPECT_FALSE(monitor.isRunning());
    EXPECT_EQ(keys.listenCount, 0);
    EXPECT_EQ(monitor.snapshot(clock.uptime()), TypingSnapshot{});

    keys.granted = true;
    keys.refuseToListen = true;
    monitor.start();
    EXPECT_FALSE(monitor.isRunning());

    keys.refuseToListen = false;
    monitor.start();
    EXPECT_TRUE(monitor.isRunning());
}

TEST(TypingActivityMonitor, StopForgetsEveryPressAndHearsNoMore) {
    FakeKeyEventSource keys;
    FakeClock clock;
    TypingActivityMonitor monitor(keys, clock);
    monitor.start();
    keys.press(3);

    monitor.stop();
    keys.press(2);

    EXPECT_EQ(monitor.snapshot(clock.uptime()), TypingSnapshot{});
}

} // namespace
} // namespace purlo
