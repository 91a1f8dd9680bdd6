#include "platform/WakeDetector.h"
#include "tests/support/ManualEventLoop.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::ManualEventLoop;

struct WakeCase {
    const char* name;
    std::vector<double> growthPerCheck; // of the suspended seconds
    int wakes;
};

TEST(WakeDetector, ReportsAJumpOfTheSuspendedSecondsAsOneWake) {
    const std::vector<WakeCase> cases{
        {"nothing suspended", {0, 0, 0, 0}, 0},
        {"an hour asleep", {0, 3600, 0, 0}, 1},
        {"exactly the minimum is still the clocks' jitter", {WakeDetector::minimumSleep}, 0},
        {"just over the minimum", {WakeDetector::minimumSleep + 0.01}, 1},
        {"small steps never add up to a sleep", {1, 1, 1, 1, 1, 1}, 0},
        {"two sleeps", {10, 0, 10}, 2},
    };
    for (const auto& c : cases) {
        ManualEventLoop loop;
        double suspended = 12.5;
        int wakes = 0;
        const WakeDetector detector(
            loop, [&] { return suspended; }, [&] { ++wakes; });
        for (const double growth : c.growthPerCheck) {
            suspended += growth;
            loop.advance(WakeDetector::checkInterval);
        }
        EXPECT_EQ(wakes, c.wakes) << c.name;
    }
}

} // namespace
} // namespace purlo
