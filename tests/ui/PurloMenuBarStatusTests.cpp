#include "ui/PurloMenuBarStatus.h"

#include <gtest/gtest.h>

namespace purlo {
namespace {

using Mode = PomodoroController::State::Mode;

TEST(PurloMenuBarStatus, TheStatusLineTakesTheFirstRuleThatApplies) {
    const Date now{800000000};
    const double uptime = 5000;
    const PurloNap twentyLeft{now.addingSeconds(20 * 60)};
    const PurloNap hourAndFiveLeft{now.addingSeconds(65 * 60 - 30)};
    const PurloNap untilWoken{PurloNap::distantFuture};
    const PurloNap justEnded{now};
    const PomodoroController::State idle;
    const PomodoroController::State focus{Mode::focus, uptime + 24 * 60 + 59, 1, 0};
    const PomodoroController::State rest{Mode::rest, uptime + 4 * 60 + 59.5, 2, 1};
    const PomodoroController::State overdue{Mode::focus, uptime - 30, 3, 2};
    const struct {
        const char* name;
        std::optional<std::string> flashed;
        bool napping;
        PurloNap nap;
        PomodoroController::State pomodoro;
        std::string expected;
    } cases[] = {
        {"a flash shows as given", "Proud Of You!", true, untilWoken, focus, "Proud Of You!"},
        {"a nap with time left", std::nullopt, true, twentyLeft, focus, "napping 20m"},
        {"hours and minutes", std::nullopt, true, hourAndFiveLeft, idle, "napping 1h 5m"},
        {"until woken", std::nullopt, true, untilWoken, idle, "napping until woken"},
        {"an end that just passed", std::nullopt, true, justEnded, focus, "awake"},
        {"a nap the runtime no longer counts", std::nullopt, false, twentyLeft, idle,
         "purring along"},
        {"focus", std::nullopt, false, {}, focus, "focus 1 · 24:59"},
        {"a break", std::nullopt, false, {}, rest, "break 2 · 04:59"},
        {"a phase past its end", std::nullopt, false, {}, overdue, "focus 3 · 00:00"},
    };
    for (const auto& [name, flashed, napping, nap, pomodoro, expected] : cases) {
        EXPECT_EQ(menuBarStatusLine(flashed, napping, nap, pomodoro, now, uptime), expected)
            << name;
    }
}

TEST(PurloMenuBarStatus, TheStreakCaptionAppearsWithTheFirstWinEver) {
    const struct {
        std::int64_t current;
        std::int64_t total;
        std::optional<std::string> expected;
    } cases[] = {
        {0, 0, std::nullopt},      {3, 0, std::nullopt},   {0, 1, "No wins yet"},
        {-2, 7, "No wins yet"},    {1, 1, "1 day streak"}, {2, 9, "2 day streak"},
        {12, 40, "12 day streak"},
    };
    for (const auto& [current, total, expected] : cases) {
        PurloCompletionStreak streak;
        streak.currentDayCount = current;
        streak.totalCompletions = total;
        EXPECT_EQ(streakCaption(streak), expected) << current << " of " << total;
    }
}

} // namespace
} // namespace purlo
