#include "runtime/PointerTracker.h"
#include "tests/support/FakeSensorSources.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using testing::FakePointerSource;

struct Sample {
    double time;
    Point location;
};

struct TrackingCase {
    const char* name;
    std::vector<Sample> samples;
    Size velocity; // of the last sample
    std::optional<double> lastMovementTime;
};

TEST(PointerTracker, DerivesVelocityAndMovementFromConsecutiveSamples) {
    const std::vector<TrackingCase> cases{
        {"the first sample has no velocity", {{1000, {10, 10}}}, {0, 0}, std::nullopt},
        {"3, 4 in a tenth of a second", {{1000, {10, 10}}, {1000.1, {13, 14}}}, {30, 40}, 1000.1},
        {"half a point is speed but no movement",
         {{1000, {10, 10}}, {1000.1, {10.5, 10}}},
         {5, 0},
         std::nullopt},
        {"exactly one point is a movement",
         {{1000, {10, 10}}, {1000.1, {10, 9}}},
         {0, -10},
         1000.1},
        {"two samples at one instant count a millisecond apart",
         {{1000, {0, 0}}, {1000, {1, 0}}},
         {1000, 0},
         1000},
        {"a backward step counts a millisecond too",
         {{1000, {0, 0}}, {999, {2, 0}}},
         {2000, 0},
         999},
        {"a still pointer keeps its last movement time",
         {{1000, {0, 0}}, {1000.1, {5, 0}}, {1000.2, {5, 0}}},
         {0, 0},
         1000.1},
    };
    for (const auto& c : cases) {
        FakePointerSource pointer;
        PointerTracker tracker(pointer);
        PointerSnapshot snapshot;
        for (const auto& sample : c.samples) {
            pointer.position = sample.location;
            snapshot = tracker.sample(sample.time);
        }
        EXPECT_EQ(snapshot.location, c.samples.back().location) << c.name;
        EXPECT_NEAR(snapshot.velocity.width, c.velocity.width, 1e-6) << c.name;
        EXPECT_NEAR(snapshot.velocity.height, c.velocity.height, 1e-6) << c.name;
        EXPECT_EQ(snapshot.lastMovementTime, c.lastMovementTime) << c.name;
    }
}

TEST(PointerTracker, SeedingMeasuresFromAFreshOriginAndForgetsTheLastMovement) {
    FakePointerSource pointer;
    PointerTracker tracker(pointer);
    pointer.position = {0, 0};
    tracker.sample(1000);
    pointer.position = {500, 0};
    EXPECT_EQ(tracker.sample(1000.1).lastMovementTime, 1000.1);

    pointer.position = {100, 100};
    tracker.seed(1005);
    pointer.position = {100.5, 100};
    const PointerSnapshot snapshot = tracker.sample(1005.5);

    EXPECT_NEAR(snapshot.velocity.width, 1.0, 1e-9);
    EXPECT_EQ(snapshot.velocity.height, 0);
    EXPECT_EQ(snapshot.lastMovementTime, std::nullopt);
}

} // namespace
} // namespace purlo
