#include "platform/qt/QtPointerSource.h"
#include "platform/x11/X11ActiveAppSource.h"
#include "platform/x11/X11IdleSource.h"
#include "platform/x11/X11KeyEventSource.h"
#include "runtime/ActiveApplicationSensor.h"
#include "runtime/TypingActivityMonitor.h"
#include "tests/platform/x11/DescriptorPollingLoop.h"
#include "tests/platform/x11/TestDisplay.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TemporaryFolder.h"

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <type_traits>
#include <unistd.h>

namespace purlo {
namespace {

using testing::DescriptorPollingLoop;
using testing::FakeClock;
using testing::ManualEventLoop;
using testing::TestDisplay;

// The source hands over that a key went down and nothing else: the key cannot leave it.
static_assert(std::is_same_v<KeyEventSource::KeyPressHandler, std::function<void()>>);

TEST(X11Sensors, WithoutADisplayEverySensorReportsNothing) {
    const std::vector<std::optional<std::string>> unreachable{std::nullopt, "", ":65000"};
    for (const auto& name : unreachable) {
        const std::string label = name.value_or("no name");
        ManualEventLoop loop;
        X11KeyEventSource keys(loop, name);
        EXPECT_FALSE(keys.listenAccessGranted()) << label;
        EXPECT_FALSE(keys.requestListenAccess()) << label;
        EXPECT_EQ(keys.listen([] {}), std::nullopt) << label;
        EXPECT_EQ(loop.watchedDescriptorCount(), 0u) << label;

        const X11Connection connection(name);
        EXPECT_EQ(X11ActiveAppSource(connection).frontmostApplication(), std::nullopt) << label;
        EXPECT_EQ(X11IdleSource(connection).secondsSinceAnyInput(), std::nullopt) << label;
    }
}

TEST(X11KeyEventSource, KeyPressesOfAnotherProgramRaiseTheTypingCount) {
    TestDisplay display;
    if (!display.isOpen()) {
        GTEST_SKIP() << display.unavailableReason();
    }
    DescriptorPollingLoop loop;
    X11KeyEventSource keys(loop, display.name());
    ASSERT_TRUE(keys.listenAccessGranted());
    EXPECT_TRUE(keys.requestListenAccess());
    FakeClock clock(1000);
    TypingActivityMonitor monitor(keys, clock);
    const auto count = [&] {
        return monitor.snapshot(clock.uptime()).recentKeyPressCount;
    };

    monitor.start();
    ASSERT_TRUE(monitor.isRunning());
    display.pressAndReleaseKey('a');
    display.pressAndReleaseKey('b');
    ASSERT_TRUE(loop.waitUntil([&] { return count() >= 2; }));
    EXPECT_EQ(count(), 2);

    // A press while stopped is never heard, not even after the next start.
    monitor.stop();
    display.pressAndReleaseKey('c');
    monitor.start();
    loop.runPending();
    clock.advance(1);
    display.pressAndReleaseKey('d');
    ASSERT_TRUE(loop.waitUntil(
        [&] { return monitor.snapshot(clock.uptime()).lastKeyPressTime == clock.uptime(); }));
    EXPECT_EQ(count(), 1);
}

TEST(X11ActiveAppSource, FollowsTheActiveWindowAndOutlivesIt) {
    TestDisplay display;
    if (!display.isOpen()) {
        GTEST_SKIP() << display.unavailableReason();
    }
    const X11Connection connection(display.name());
    const X11ActiveAppSource source(connection);
    const ActiveApplicationSensor sensor(source);

    const unsigned long classed = display.createWindow();
    display.setWindowClass(classed, "purlo-probe", "PurloProbe");
    display.setActiveWindow(classed);
    EXPECT_EQ(sensor.sample(), (ActiveAppSnapshot{"PurloProbe", std::string("purlo-probe")}));

    const unsigned long unclassed = display.createWindow();
    display.setProcessId(unclassed, getpid());
    display.setActiveWindow(unclassed);
    std::string self = testing::readFile("/proc/self/comm");
    self.pop_back();
    EXPECT_EQ(sensor.sample(), (ActiveAppSnapshot{self, self}));

    // A window that is gone: the server's error is a missing answer, not the end.
    display.destroyWindow(classed);
    display.setActiveWindow(classed);
    EXPECT_EQ(sensor.sample(), ActiveAppSnapshot{});

    display.setActiveWindow(0);
    EXPECT_EQ(source.frontmostApplication(), std::nullopt);
    display.setActiveWindow(std::nullopt);
    EXPECT_EQ(source.frontmostApplication(), std::nullopt);
    display.destroyWindow(unclassed);
}

TEST(X11IdleSource, IdleTimeGrowsWhileNothingHappens) {
    TestDisplay display;
    if (!display.isOpen()) {
        GTEST_SKIP() << display.unavailableReason();
    }
    const X11Connection connection(display.name());
    const X11IdleSource idle(connection);
    const auto first = idle.secondsSinceAnyInput();
    ASSERT_TRUE(first);

    // Other tests on this display may press keys meanwhile, which starts the count
    // over; growth is measured from the lowest reading.
    double lowest = *first;
    bool grew = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!grew && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto seconds = idle.secondsSinceAnyInput();
        ASSERT_TRUE(seconds);
        grew = *seconds >= lowest + 0.2;
        lowest = std::min(lowest, *seconds);
    }
    EXPECT_TRUE(grew);
}

TEST(QtPointerSource, ReadsAPointerMovedByAnotherProgramWithYUpward) {
    TestDisplay display;
    if (!display.isOpen()) {
        GTEST_SKIP() << display.unavailableReason();
    }
    // Qt on the test display itself, not offscreen, so that it asks the X server.
    std::vector<std::string> arguments{"purlo_platform_x11_tests", "-platform", "xcb", "-display",
                                       display.name()};
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    int argc = static_cast<int>(argv.size());
    const QGuiApplication application(argc, argv.data());

    display.movePointer(100, 200);
    EXPECT_EQ(QtPointerSource().location(), (Point{100, display.screenHeight() - 201.0}));
}

} // namespace
} // namespace purlo
