#include "runtime/PomodoroController.h"

#include <gtest/gtest.h>
#include <limits>

namespace purlo {
namespace {

using Mode = PomodoroController::State::Mode;
using State = PomodoroController::State;

PurloSettings minutes(std::int64_t focus, std::int64_t rest) {
    PurloSettings settings;
    settings.pomodoroFocusMinutes = focus;
    settings.pomodoroBreakMinutes = rest;
    return settings;
}

TEST(PomodoroController, PhasesChangeExactlyAtTheirEnds) {
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

TEST(PomodoroController, PhasesLastAtLeastAMinute) {
    const struct {
        std::int64_t focus;
        std::int64_t rest;
        double focusEnd; // started at 0
        double restEnd;  // focus noticed at 100
    } cases[] = {
        {0, 0, 60, 160},
        {-5, -1, 60, 160},
        {1, 1, 60, 160},
        {90, 15, 5400, 1000},
    };
    for (const auto& [focus, rest, focusEnd, restEnd] : cases) {
        SCOPED_TRACE(::testing::Message() << focus << "/" << rest);
        const PurloSettings settings = minutes(focus, rest);
        PomodoroController pomodoro;
        pomodoro.state = State::focusStarted(settings, 0);
        EXPECT_EQ(pomodoro.state.phaseEndsAt, focusEnd);
        pomodoro.state.phaseEndsAt = 100;
        pomodoro.advance(settings, 100);
        EXPECT_EQ(pomodoro.state.phaseEndsAt, restEnd);
    }
}

TEST(PomodoroController, EnormousStoredLengthsStayFiniteAndPrintable) {
    const PurloSettings settings = minutes(std::numeric_limits<std::int64_t>::max(), 5);
    const State state = State::focusStarted(settings, 1000);
    ASSERT_TRUE(state.phaseEndsAt);
    EXPECT_GT(*state.phaseEndsAt, 5e20);
    EXPECT_EQ(PomodoroController::compactStatusText(state, 1000), "F1 150000000000000000:00");
}

TEST(PomodoroController, SessionNumbersRecoverFromOddStates) {
    const PurloSettings settings = minutes(25, 5);
    PomodoroController pomodoro;
    pomodoro.state = State{Mode::focus, 10.0, 0, 0};
    EXPECT_EQ(pomodoro.advance(settings, 10), PomodoroEvent::focusCompleted(1));

    pomodoro.state = State{Mode::rest, 10.0, 1, 4};
    EXPECT_EQ(pomodoro.advance(settings, 10), PomodoroEvent::restCompleted(5));

    // An idle state whose end passed is cleared, without an event.
    pomodoro.state = State{Mode::idle, 10.0, 3, 2};
    EXPECT_EQ(pomodoro.advance(settings, 10), std::nullopt);
    EXPECT_EQ(pomodoro.state, State{});
}

TEST(PomodoroController, LabelsShowTheWholeSecondsLeft) {
    const struct {
        State state;
        double now;
        std::optional<std::string> label;
        std::string status;
    } cases[] = {
        {{Mode::focus, 2500.0, 1, 0}, 1000.6, "F1 24:59", "Focus 1 · 24:59"},
        {{Mode::focus, 2500.0, 1, 0}, 1000, "F1 25:00", "Focus 1 · 25:00"},
        {{Mode::focus, 2500.0, 1, 0}, 2499.4, "F1 00:00", "Focus 1 · 00:00"},
        {{Mode::focus, 2500.0, 1, 0}, 2600, "F1 00:00", "Focus 1 · 00:00"},
        {{Mode::rest, 2800.0, 2, 2}, 2500.1, "B2 04:59", "Break 2 · 04:59"},
        {{Mode::focus, 7000.0, 12, 11}, 1000, "F12 100:00", "Focus 12 · 100:00"},
        {{Mode::idle, std::nullopt, 0, 0}, 1000, std::nullopt, "Pomodoro idle"},
        {{Mode::idle, 2500.0, 1, 0}, 1000, std::nullopt, "Pomodoro idle"},
        {{Mode::focus, std::nullopt, 1, 0}, 1000, std::nullopt, "Pomodoro idle"},
    };
    for (const auto& [state, now, label, status] : cases) {
        SCOPED_TRACE(status);
        EXPECT_EQ(PomodoroController::compactStatusText(state, now), label);
        EXPECT_EQ(PomodoroController::statusText(state, now), status);
    }
}

TEST(PomodoroController, SnapshotCarriesThePhaseAndThisTicksEvent) {
    const State idle;
    const PomodoroSnapshot idleSnapshot = idle.snapshot(std::nullopt, 1000);
    EXPECT_FALSE(idleSnapshot.isRunning);
    EXPECT_EQ(idleSnapshot.phase, std::nullopt);
    EXPECT_EQ(idleSnapshot.label, std::nullopt);
    EXPECT_EQ(idleSnapshot.sessionNumber, 0);

    const State rest{Mode::rest, 2800.0, 1, 1};
    const PomodoroSnapshot restSnapshot = rest.snapshot(PomodoroEvent::focusCompleted(1), 2500);
    EXPECT_EQ(restSnapshot, (PomodoroSnapshot{true, "B1 05:00", PomodoroPhase::rest, 1, 1,
                                              PomodoroEvent::focusCompleted(1)}));
}

} // namespace
} // namespace purlo
