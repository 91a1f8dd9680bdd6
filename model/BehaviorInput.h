#pragma once

#include "base/Geometry.h"
#include "model/ActiveAppSnapshot.h"
#include "model/AgentEventSnapshot.h"
#include "model/CompanionInteraction.h"
#include "model/InputSnapshots.h"
#include "model/PomodoroSnapshot.h"
#include "model/ReminderEvent.h"

#include <cstdint>
#include <optional>

namespace purlo {

// Everything the engine learns about the world in one tick. Times are uptime seconds
// from one clock.
struct BehaviorInput {
    double time = 0;
    PointerSnapshot pointer;
    TypingSnapshot typing;
    ActiveAppSnapshot activeApp;
    Rect screenFrame; // visible frame of the screen under the pointer
    std::optional<CompanionInteraction> interaction;
    std::optional<ReminderEvent> reminder;
    PomodoroSnapshot pomodoro;
    AgentEventSnapshot agentEvent;
    bool napActive = false;
    std::int64_t localMinuteOfDay = 0; // 0...1439
    bool reduceMotionActive = false;
    double storedAbsenceSeconds = 0;
    Rect companionScreenFrame; // visible frame of the screen that holds the cat
    std::optional<double> secondsSinceAnyInput;

    friend bool operator==(const BehaviorInput&, const BehaviorInput&) = default;
};

} // namespace purlo
