#include "platform/TolerantSchedule.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

// Runs due at 10, 10.1, 10.2 ...; each may wait until 0.05 after it is due.
TEST(TolerantSchedule, TakesARunOnceItIsDueAndKeepsToItsGridHoweverLate) {
    const struct {
        const char* what;
        double now;
        bool taken;
        double nextDue;
    } cases[] = {
        {"before it is due", 9.99, false, 10},
        {"when it is due", 10, true, 10.1},
        {"late within its tolerance", 10.04, true, 10.1},
        {"later than one interval", 10.13, true, 10.2},
        {"runs missed altogether are not made up", 10.35, true, 10.4},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        TolerantSchedule schedule(10, 0.1, 0.05);
        EXPECT_EQ(schedule.takeIfDue(each.now), each.taken);
        EXPECT_NEAR(schedule.due(), each.nextDue, 1e-9);
        EXPECT_NEAR(schedule.deadline(), each.nextDue + 0.05, 1e-9);
    }
}

TEST(TolerantSchedule, TakesEachRunOnlyOnce) {
    TolerantSchedule schedule(10, 0.1, 0.05);
    EXPECT_TRUE(schedule.takeIfDue(10.02));
    EXPECT_FALSE(schedule.takeIfDue(10.02));
    EXPECT_FALSE(schedule.takeIfDue(10.09));
    EXPECT_TRUE(schedule.takeIfDue(10.1));
}

// Started at 10.23, a schedule of tenths with 0.05 to spare has its deadlines on whole tenths.
TEST(TolerantSchedule, AnAlignedScheduleHasItsDeadlinesOnWholeIntervals) {
    const TolerantSchedule schedule = TolerantSchedule::alignedAfter(10.23, 0.1, 0.05);
    EXPECT_NEAR(schedule.deadline(), 10.4, 1e-9);
    EXPECT_NEAR(schedule.due(), 10.35, 1e-9);
}

// A schedule asked to run ever faster, or with a tolerance below none, still moves on.
TEST(TolerantSchedule, AnIntervalBelowAMillisecondCountsAsOneAndNoToleranceAsNone) {
    TolerantSchedule schedule(1, 0, -1);
    EXPECT_TRUE(schedule.takeIfDue(1));
    EXPECT_NEAR(schedule.due(), 1.001, 1e-9);
    EXPECT_NEAR(schedule.deadline(), 1.001, 1e-9);
}

} // namespace
} // namespace purlo
