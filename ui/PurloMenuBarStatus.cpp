#include "ui/PurloMenuBarStatus.h"

#include "base/UnicodeText.h"

namespace purlo {
namespace {

std::string napStatus(const PurloNap& nap, Date now) {
    if (nap.isIndefinite()) {
        return "Napping until woken";
    }
    if (const auto remaining = nap.remainingLabel(now)) {
        return "Napping " + *remaining;
    }
    // The runtime may still call it a nap in the instant its end passes.
    return "Awake";
}

} // namespace

std::string menuBarStatusLine(const std::optional<std::string>& flashedMood, bool isNapping,
                              const PurloNap& nap, const PomodoroController::State& pomodoro,
                              Date now, double uptime) {
    if (flashedMood) {
        return *flashedMood;
    }
    if (isNapping) {
        return lowercased(napStatus(nap, now));
    }
    if (pomodoro.mode == PomodoroController::State::Mode::idle) {
        return "purring along";
    }
    return lowercased(PomodoroController::statusText(pomodoro, uptime));
}

std::optional<std::string> streakCaption(const PurloCompletionStreak& streak) {
    if (streak.totalCompletions < 1) {
        return std::nullopt;
    }
    if (streak.currentDayCount < 1) {
        return "No wins yet";
    }
    if (streak.currentDayCount == 1) {
        return "1 day streak";
    }
    return std::to_string(streak.currentDayCount) + " day streak";
}

} // namespace purlo
