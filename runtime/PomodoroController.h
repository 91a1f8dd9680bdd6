#pragma once

#include "model/PomodoroSnapshot.h"
#include "model/PurloSettings.h"

#include <cstdint>
#include <optional>
#include <string>

namespace purlo {

// Keeps Pomodoro time: focus, then a break, then focus again, until the user stops it.
// Phase ends are uptime seconds, so sleep and clock changes do not move them. There is
// no timer: a phase ends in the tick whose advance call notices it.
class PomodoroController {
public:
    struct State {
        enum class Mode { idle, focus, rest };

        Mode mode = Mode::idle;
        std::optional<double> phaseEndsAt;
        std::int64_t sessionNumber = 0;
        std::int64_t completedFocusSessions = 0;

        // A first focus session of the configured length (at least a minute) from now.
        static State focusStarted(const PurloSettings& settings, double now);

        // What the engine sees this tick; the label is read at now.
        PomodoroSnapshot snapshot(std::optional<PomodoroEvent> event, double now) const;

        friend bool operator==(const State&, const State&) = default;
    };

    // Moves to the next phase when the current one has ended by now, measured from now;
    // at most one change per call, reported once.
    std::optional<PomodoroEvent> advance(const PurloSettings& settings, double now);

    // The cat's timer label, "F1 24:59" or "B2 04:59"; nothing while idle.
    static std::optional<std::string> compactStatusText(const State& state, double now);
    // The popover's line, "Focus 1 · 24:59", or "Pomodoro idle".
    static std::string statusText(const State& state, double now);

    State state;
};

} // namespace purlo
