#pragma once

#include "base/Date.h"
#include "model/PurloCompletionStreak.h"
#include "model/PurloNap.h"
#include "runtime/PomodoroController.h"

#include <optional>
#include <string>

namespace purlo {

// The line under the companion's name in the popover: a flashed message exactly as it
// was given, else her nap, else the Pomodoro ("purring along" while idle). The nap and
// Pomodoro texts are lower-cased to read as a quiet aside.
std::string menuBarStatusLine(const std::optional<std::string>& flashedMood, bool isNapping,
                              const PurloNap& nap, const PomodoroController::State& pomodoro,
                              Date now, double uptime);

// The caption under the win row: nothing at all before the first win ever, then the
// current run of days ("No wins yet", "1 day streak", "12 day streak").
std::optional<std::string> streakCaption(const PurloCompletionStreak& streak);

} // namespace purlo
