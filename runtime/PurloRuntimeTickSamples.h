#pragma once

#include "model/ActiveAppSnapshot.h"
#include "model/AgentEventSnapshot.h"
#include "model/InputSnapshots.h"
#include "model/PomodoroSnapshot.h"
#include "model/ReminderEvent.h"
#include "runtime/PomodoroController.h"

#include <optional>
#include <vector>

namespace purlo {

// The slow samples kept from one tick to the next: the frontmost application and the
// agent event file are read again only after their minimum intervals.
struct PurloRuntimeTickInputCache {
    std::optional<double> lastActiveAppSampleTime; // uptime seconds
    ActiveAppSnapshot activeApp;
    std::optional<double> lastAgentEventSampleTime; // uptime seconds
    AgentEventSnapshot agentEvent;
    std::vector<AgentEventSnapshot> agentEventHistory; // oldest first

    // Nothing sampled, so the next tick reads both sources at once.
    void clear() {
        lastActiveAppSampleTime.reset();
        activeApp = ActiveAppSnapshot{};
        lastAgentEventSampleTime.reset();
        agentEvent = AgentEventSnapshot::empty();
        agentEventHistory.clear();
    }

    friend bool operator==(const PurloRuntimeTickInputCache&,
                           const PurloRuntimeTickInputCache&) = default;
};

// What the sensors and controllers say about one tick. The references point into the
// runtime's cache and controllers, so nothing is copied ten times a second; they hold
// until the next sample.
struct PurloRuntimeTickSamples {
    std::optional<PomodoroEvent> pomodoroEvent;
    const PomodoroController::State& pomodoroState;
    const AgentEventSnapshot& agentEvent;
    const std::vector<AgentEventSnapshot>& agentEventHistory;
    const ActiveAppSnapshot& activeApp;
    TypingSnapshot typing;
    std::optional<ReminderEvent> reminder;
};

} // namespace purlo
