#include "runtime/PomodoroController.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace purlo {
namespace {

using Mode = PomodoroController::State::Mode;

// A phase of the stored length, at least a minute. In double: the stored minutes are
// not range-checked, and an integer product could overflow.
double phaseSeconds(std::int64_t minutes) {
    return static_cast<double>(std::max<std::int64_t>(minutes, 1)) * 60.0;
}

// "MM:SS" of the whole seconds left, never below zero; minutes beyond 99 take more digits.
std::string timeText(const PomodoroController::State& state, double now) {
    const double remaining = *state.phaseEndsAt - now;
    // Bounded before it becomes an integer, however far away a stored length put the end.
    const auto seconds =
        remaining > 0 ? static_cast<std::int64_t>(std::min(remaining, 9.0e18)) : std::int64_t{0};
    char text[48];
    std::snprintf(text, sizeof text, "%02" PRId64 ":%02" PRId64, seconds / 60, seconds % 60);
    return text;
}

bool showsAPhase(const PomodoroController::State& state) {
    return state.phaseEndsAt && state.mode != Mode::idle;
}

} // namespace

PomodoroController::State PomodoroController::State::focusStarted(const PurloSettings& settings,
                                                                  double now) {
    return {Mode::focus, now + phaseSeconds(settings.pomodoroFocusMinutes), 1, 0};
}

PomodoroSnapshot PomodoroController::State::snapshot(std::optional<PomodoroEvent> event,
                                                     double now) const {
    PomodoroSnapshot snapshot;
    snapshot.isRunning = mode != Mode::idle;
    snapshot.label = compactStatusText(*this, now);
    if (mode == Mode::focus) {
        snapshot.phase = PomodoroPhase::focus;
    } else if (mode == Mode::rest) {
        snapshot.phase = PomodoroPhase::rest;
    }
    snapshot.sessionNumber = sessionNumber;
    snapshot.completedFocusSessions = completedFocusSessions;
    snapshot.event = event;
    return snapshot;
}

std::optional<PomodoroEvent> PomodoroController::advance(const PurloSettings& settings,
                                                         double now) {
    if (!state.phaseEndsAt || *state.phaseEndsAt > now) {
        return std::nullopt;
    }
    switch (state.mode) {
    case Mode::idle:
        state = State{};
        return std::nullopt;
    case Mode::focus:
        state.mode = Mode::rest;
        state.phaseEndsAt = now + phaseSeconds(settings.pomodoroBreakMinutes);
        state.sessionNumber = std::max<std::int64_t>(state.sessionNumber, 1);
        state.completedFocusSessions += 1;
        return PomodoroEvent::focusCompleted(state.sessionNumber);
    case Mode::rest: {
        const std::int64_t next = std::max(state.sessionNumber, state.completedFocusSessions) + 1;
        state.mode = Mode::focus;
        state.phaseEndsAt = now + phaseSeconds(settings.pomodoroFocusMinutes);
        state.sessionNumber = next;
        return PomodoroEvent::restCompleted(next);
    }
    }
    return std::nullopt;
}

std::optional<std::string> PomodoroController::compactStatusText(const State& state, double now) {
    if (!showsAPhase(state)) {
        return std::nullopt;
    }
    const char letter = state.mode == Mode::focus ? 'F' : 'B';
    return letter + std::to_string(state.sessionNumber) + " " + timeText(state, now);
}

std::string PomodoroController::statusText(const State& state, double now) {
    if (!showsAPhase(state)) {
        return "Pomodoro idle";
    }
    const std::string phase = state.mode == Mode::focus ? "Focus " : "Break ";
    return phase + std::to_string(state.sessionNumber) + " · " + timeText(state, now);
}

} // namespace purlo
