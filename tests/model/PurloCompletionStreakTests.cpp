#include "model/Calendar.h"
#include "model/PurloCompletionStreak.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using Completion = PurloCompletionStreak::Completion;

constexpr double day = 86400;
// Monday 2 March 2026, 09:00 UTC.
constexpr Date monday{794134800};

Calendar utcCalendar() {
    return Calendar::inTimeZone("UTC").value();
}

TEST(PurloCompletionStreak, CountsDaysInARow) {
    struct Case {
        std::string name;
        std::vector<double> dayOffsets;
        Completion last;
        std::int64_t bestAfter;
    };
    const Case cases[] = {
        {"first win", {0}, {1, 1, 1, true, true}, 1},
        {"same day", {0, 0.4}, {1, 1, 2, false, false}, 1},
        {"two days", {0, 1}, {2, 2, 2, true, true}, 2},
        {"skipped a day", {0, 1, 3}, {1, 2, 3, true, false}, 2},
        {"new best after a gap", {0, 1, 3, 4, 5}, {3, 3, 5, true, true}, 3},
        {"clock went back", {0, 1, 2, 1}, {1, 3, 4, true, false}, 3},
        {"same day after the clock went back", {0, 1, 0.5}, {1, 2, 3, true, false}, 2},
    };
    const Calendar calendar = utcCalendar();
    for (const auto& c : cases) {
        PurloCompletionStreak streak;
        Completion last;
        for (const double offset : c.dayOffsets) {
            last = streak.recordCompletion(monday.addingSeconds(offset * day), calendar);
        }
        EXPECT_EQ(last, c.last) << c.name;
        EXPECT_EQ(streak.bestDayCount, c.bestAfter) << c.name;
        EXPECT_EQ(streak.totalCompletions, static_cast<std::int64_t>(c.dayOffsets.size()));
        EXPECT_EQ(streak.lastCompletionAt, monday.addingSeconds(c.dayOffsets.back() * day));
    }
}

TEST(PurloCompletionStreak, ASecondWinKeepsTheDayButRevivesAnEmptyRun) {
    const Calendar calendar = utcCalendar();
    PurloCompletionStreak streak{0, 0, 7, calendar.dayIndex(monday), std::nullopt};
    EXPECT_EQ(streak.recordCompletion(monday, calendar), (Completion{1, 1, 8, false, false}));
    EXPECT_EQ(streak.lastCompletionDay, calendar.dayIndex(monday));
}

TEST(PurloCompletionStreak, DaysAreLocalDays) {
    // 23:30 and 00:30 in Berlin are one hour apart but on two days.
    const Calendar berlin = Calendar::inTimeZone("Europe/Berlin").value();
    PurloCompletionStreak streak;
    streak.recordCompletion(Date::fromUnixSeconds(1774740600 - 3600), berlin); // 28 Mar 23:30
    EXPECT_EQ(streak.recordCompletion(Date::fromUnixSeconds(1774740600 + 3600), berlin),
              (Completion{2, 2, 2, true, true})); // 29 Mar 01:30
}

TEST(PurloCompletionStreak, HugeStoredCountsSaturate) {
    const Calendar calendar = utcCalendar();
    const std::int64_t today = calendar.dayIndex(monday);
    PurloCompletionStreak streak{INT64_MAX, INT64_MAX, INT64_MAX, today - 1, std::nullopt};
    EXPECT_EQ(streak.recordCompletion(monday, calendar),
              (Completion{INT64_MAX, INT64_MAX, INT64_MAX, true, false}));

    PurloCompletionStreak farAhead{5, 5, 5, INT64_MAX, std::nullopt};
    EXPECT_EQ(farAhead.recordCompletion(monday, calendar), (Completion{1, 5, 6, true, false}));
}

} // namespace
} // namespace purlo
