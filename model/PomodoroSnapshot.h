#pragma once

#include "base/Enumeration.h"

#include <cstdint>
#include <optional>
#include <string>

namespace purlo {

enum class PomodoroPhase { focus, rest };

template <>
struct EnumNames<PomodoroPhase> {
    static constexpr std::array<std::string_view, 2> values{"focus", "rest"};
};

// A phase change, reported once in the tick in which it happens.
struct PomodoroEvent {
    enum class Kind {
        focusCompleted, // number: the session that ended
        restCompleted,  // number: the session that comes next
    };

    Kind kind = Kind::focusCompleted;
    std::int64_t number = 0;

    static PomodoroEvent focusCompleted(std::int64_t sessionNumber) {
        return {Kind::focusCompleted, sessionNumber};
    }
    static PomodoroEvent restCompleted(std::int64_t nextSessionNumber) {
        return {Kind::restCompleted, nextSessionNumber};
    }

    friend bool operator==(const PomodoroEvent&, const PomodoroEvent&) = default;
};

// The Pomodoro state as the engine sees it in one tick.
struct PomodoroSnapshot {
    bool isRunning = false;
    std::optional<std::string> label;
    std::optional<PomodoroPhase> phase;
    std::int64_t sessionNumber = 1;
    std::int64_t completedFocusSessions = 0;
    std::optional<PomodoroEvent> event;

    friend bool operator==(const PomodoroSnapshot&, const PomodoroSnapshot&) = default;
};

} // namespace purlo
