#include "runtime/PomodoroController.h"
#include "runtime/ReminderScheduler.h"

#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

using Mode = PomodoroController::State::Mode;
using State = PomodoroController::State;
constexpr auto huge = std::numeric_limits<std::int64_t>::max();

PurloSettings minutes(std::int64_t focus, std::int64_t rest) {
    PurloSettings settings;
    settings.pomodoroFocusMinutes = focus;
    settings.pomodoroBreakMinutes = rest;
    return settings;
}

TEST(PomodoroController, PhasesChangeExactlyAtTheirEndsOncePerCall) {
    const PurloSettings settings = minutes(25, 5);
    PomodoroController pomodoro;
    pomodoro.state = State::focusStarted(settings, 1000);
    EXPECT_EQ(pomodoro.state, (State{Mode::focus, 2500.0, 1, 0}));
    EXPECT_EQ(pomodoro.advance(settings, 2499.9), std::nullopt);
    EXPECT_EQ(pomodoro.advance(settings, 2500), PomodoroEvent::focusCompleted(1));
    EXPECT_EQ(pomodoro.state, (State{Mode::rest, 2800.0, 1, 1}));
    EXPECT_EQ(pomodoro.advance(settings, 2500), std::nullopt) << "reported once";
    EXPECT_EQ(pomodoro.advance(settings, 2799.9), std::nullopt);
    EXPECT_EQ(pomodoro.advance(settings, 2800), PomodoroEvent::restCompleted(2));
    EXPECT_EQ(pomodoro.state, (State{Mode::focus, 4300.0, 2, 1}));
    // A late tick starts the next phase from itself, and changes one phase only.
    EXPECT_EQ(pomodoro.advance(settings, 9000), PomodoroEvent::focusCompleted(2));
    EXPECT_EQ(pomodoro.state.phaseEndsAt, 9300);
}

TEST(PomodoroController, PhasesLastAtLeastAMinuteAndHugeOnesStayPrintable) {
    // Focus started at 0; its end noticed at 100.
    const std::tuple<std::int64_t, std::int64_t, double, double> cases[] = {
        {0, 0, 60, 160}, {-5, -1, 60, 160}, {1, 1, 60, 160}, {90, 15, 5400, 1000}};
    for (const auto& [focus, rest, focusEnd, restEnd] : cases) {
        const PurloSettings settings = minutes(focus, rest);
        PomodoroController pomodoro;
        pomodoro.state = State::focusStarted(settings, 0);
        EXPECT_EQ(pomodoro.state.phaseEndsAt, focusEnd) << focus;
        pomodoro.state.phaseEndsAt = 100;
        pomodoro.advance(settings, 100);
        EXPECT_EQ(pomodoro.state.phaseEndsAt, restEnd) << rest;
    }
    const State longest = State::focusStarted(minutes(huge, 5), 1000);
    EXPECT_GT(longest.phaseEndsAt.value_or(0), 5e20);
    EXPECT_EQ(PomodoroController::compactStatusText(longest, 1000), "F1 150000000000000000:00");
}

TEST(PomodoroController, LabelsShowTheWholeSecondsLeft) {
    const std::tuple<State, double, std::optional<std::string>, std::string> cases[] = {
        {{Mode::focus, 2500.0, 1, 0}, 1000.6, "F1 24:59", "Focus 1 · 24:59"},
        {{Mode::focus, 2500.0, 1, 0}, 1000, "F1 25:00", "Focus 1 · 25:00"},
        {{Mode::focus, 2500.0, 1, 0}, 2600, "F1 00:00", "Focus 1 · 00:00"},
        {{Mode::rest, 2800.0, 2, 2}, 2500.1, "B2 04:59", "Break 2 · 04:59"},
        {{Mode::focus, 7000.0, 12, 11}, 1000, "F12 100:00", "Focus 12 · 100:00"},
        {{Mode::idle, 2500.0, 1, 0}, 1000, std::nullopt, "Pomodoro idle"},
    };
    for (const auto& [state, now, label, status] : cases) {
        EXPECT_EQ(PomodoroController::compactStatusText(state, now), label) << status;
        EXPECT_EQ(PomodoroController::statusText(state, now), status);
    }
}

PurloHabitReminder habit(std::string id, std::string message, std::int64_t interval) {
    return {std::move(id), "Habit", std::move(message), interval, true};
}

TEST(ReminderScheduler, OneReminderPerCallStretchThenHabitsThenTheKindNudge) {
    PurloSettings settings;
    settings.phrasePack = PurloPhrasePack::playful;
    settings.kindNudgeMinutes = 45;
    settings.habitReminders = {habit("water", " sip water?\n", 45),
                               habit("eyes", "look far away?", 45)};
    ReminderScheduler reminders;
    reminders.reset(settings, 0);
    EXPECT_EQ(reminders.evaluate(settings, 2699.9), std::nullopt);
    EXPECT_EQ(reminders.evaluate(settings, 2700), ReminderEvent::stretch());
    EXPECT_EQ(reminders.evaluate(settings, 2701), ReminderEvent::fixedMessage("sip water?"));
    EXPECT_EQ(reminders.evaluate(settings, 2702), ReminderEvent::fixedMessage("look far away?"));
    EXPECT_EQ(reminders.evaluate(settings, 2703), ReminderEvent::kindNudge("paw high five?"));
    EXPECT_EQ(reminders.evaluate(settings, 2704), std::nullopt);
    // Each was re-armed from the moment it fired.
    EXPECT_EQ(reminders.nextStretchTime(), 5400);
    EXPECT_EQ(reminders.nextHabitTimes().at("water"), 5401);
    EXPECT_EQ(reminders.nextHabitTimes().at("eyes"), 5402);
    EXPECT_EQ(reminders.nextKindNudgeTime(), 5403);
}

TEST(ReminderScheduler, IntervalsAreClampedWithoutOverflow) {
    using Minutes = std::int64_t;
    const std::optional<double> off;
    const double longest = 60.0 * huge;
    const std::tuple<Minutes, Minutes, Minutes, double, double, std::optional<double>> cases[] = {
        {45, 60, 120, 2700, 3600, 7200},         {0, 2, 10, 60, 300, 1800},
        {-3, 600, 500, 60, 14400, 14400},        {1, 5, 30, 60, 300, 1800},
        {huge, 240, 240, longest, 14400, 14400}, {45, -7, 0, 2700, 300, off},
        {45, huge, -5, 2700, 14400, off},
    };
    for (const auto& [stretch, interval, kindNudge, stretchDue, habitDue, kindNudgeDue] : cases) {
        PurloSettings settings;
        settings.stretchReminderMinutes = stretch;
        settings.kindNudgeMinutes = kindNudge;
        settings.habitReminders = {habit("water", "sip water?", interval)};
        ReminderScheduler reminders;
        reminders.reset(settings, 0);
        EXPECT_EQ(reminders.nextStretchTime(), stretchDue) << stretch;
        EXPECT_EQ(reminders.nextHabitTimes().at("water"), habitDue) << interval;
        EXPECT_EQ(reminders.nextKindNudgeTime(), kindNudgeDue) << kindNudge;
    }
}

} // namespace
} // namespace purlo
