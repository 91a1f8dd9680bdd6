#include "platform/Published.h"
#include "platform/WakeDetector.h"
#include "tests/support/ManualEventLoop.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::ManualEventLoop;

TEST(Published, DeliversTheCurrentValueAndEveryWriteUntilCancelled) {
    Published<int> value(1);
    std::vector<int> seen;
    auto subscription = value.subscribe([&](int v) { seen.push_back(v); });
    value.set(2);
    value.set(2);
    EXPECT_FALSE(value.setIfChanged(2));
    EXPECT_TRUE(value.setIfChanged(3));
    subscription.cancel();
    value.set(4);
    {
        const auto scoped = value.subscribe([&](int v) { seen.push_back(v * 10); });
    }
    value.set(5);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 2, 3, 40}));
}

TEST(Published, DeferredSubscribersHearValuesInOrderOnTheLoopUntilCancelled) {
    ManualEventLoop loop;
    Published<int> value(1);
    std::vector<int> seen;
    auto subscription = value.subscribeDeferred(loop, [&](int v) { seen.push_back(v); });
    value.set(2);
    EXPECT_TRUE(seen.empty());
    loop.runPending();
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    value.set(3);
    subscription.cancel();
    loop.runPending();
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}

TEST(Published, SubscribingAndCancellingDuringDeliveryIsSafe) {
    Published<int> value(0);
    std::vector<std::string> seen;
    Cancellable late;
    Cancellable second;
    const auto first = value.subscribe([&](int v) {
        seen.push_back("first " + std::to_string(v));
        if (v == 1) {
            second.cancel();
            late = value.subscribe([&](int w) { seen.push_back("late " + std::to_string(w)); });
        }
    });
    second = value.subscribe([&](int v) { seen.push_back("second " + std::to_string(v)); });
    value.set(1);
    value.set(2);
    EXPECT_EQ(seen, (std::vector<std::string>{"first 0", "second 0", "first 1", "late 1", "first 2",
                                              "late 2"}));
}

TEST(WakeDetector, ReportsAJumpOfTheSuspendedSecondsAsOneWake) {
    const std::tuple<const char*, std::vector<double>, int> cases[] = {
        {"an hour asleep", {0, 3600, 0, 0}, 1},
        {"exactly the minimum is still the clocks' jitter", {WakeDetector::minimumSleep}, 0},
        {"just over the minimum", {WakeDetector::minimumSleep + 0.01}, 1},
        {"small steps never add up to a sleep", {1, 1, 1, 1, 1, 1}, 0},
        {"two sleeps", {10, 0, 10}, 2},
    };
    for (const auto& [name, growthPerCheck, expectedWakes] : cases) {
        ManualEventLoop loop;
        double suspended = 12.5;
        int wakes = 0;
        const WakeDetector detector(
            loop, [&] { return suspended; }, [&] { ++wakes; });
        for (const double growth : growthPerCheck) {
            suspended += growth;
            loop.advance(WakeDetector::checkInterval);
        }
        EXPECT_EQ(wakes, expectedWakes) << name;
    }
}

} // namespace
} // namespace purlo
