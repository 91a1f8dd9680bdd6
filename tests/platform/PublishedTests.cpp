#include "platform/Published.h"
#include "tests/support/ManualEventLoop.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::ManualEventLoop;

TEST(Published, DeliversTheCurrentValueAndEveryWrite) {
    Published<int> value(1);
    std::vector<int> seen;
    const auto subscription = value.subscribe([&](int v) { seen.push_back(v); });
    value.set(2);
    value.set(2);
    EXPECT_FALSE(value.setIfChanged(2));
    EXPECT_TRUE(value.setIfChanged(3));
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 2, 3}));
}

TEST(Published, CancelledSubscribersHearNothing) {
    Published<int> value(1);
    std::vector<int> seen;
    auto subscription = value.subscribe([&](int v) { seen.push_back(v); });
    subscription.cancel();
    value.set(2);
    {
        const auto scoped = value.subscribe([&](int v) { seen.push_back(v * 10); });
    }
    value.set(3);
    EXPECT_EQ(seen, (std::vector<int>{1, 20}));
}

TEST(Published, DeferredSubscribersHearValuesInOrderOnTheLoop) {
    ManualEventLoop loop;
    Published<int> value(1);
    std::vector<int> seen;
    const auto subscription = value.subscribeDeferred(loop, [&](int v) { seen.push_back(v); });
    value.set(2);
    EXPECT_TRUE(seen.empty());
    loop.runPending();
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}

TEST(Published, DeferredDeliveryStopsOnceCancelled) {
    ManualEventLoop loop;
    Published<int> value(1);
    std::vector<int> seen;
    auto subscription = value.subscribeDeferred(loop, [&](int v) { seen.push_back(v); });
    value.set(2);
    subscription.cancel();
    loop.runPending();
    EXPECT_TRUE(seen.empty());
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

TEST(ManualEventLoop, TimersFireInTimeOrderUntilCancelled) {
    testing::FakeClock clock(100);
    ManualEventLoop loop(&clock);
    std::vector<std::string> fired;
    auto tick = loop.scheduleRepeating(0.1, [&] { fired.push_back("tick"); });
    const auto once = loop.scheduleOnce(0.25, [&] { fired.push_back("once"); });
    loop.advance(0.3);
    EXPECT_EQ(fired, (std::vector<std::string>{"tick", "tick", "once", "tick"}));
    EXPECT_DOUBLE_EQ(clock.uptime(), 100.3);
    tick.cancel();
    loop.advance(1);
    EXPECT_EQ(fired.size(), 4u);
}

} // namespace
} // namespace purlo
