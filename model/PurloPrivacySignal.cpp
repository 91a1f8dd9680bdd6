#include "model/PurloPrivacySignal.h"

#include <algorithm>
#include <cmath>

namespace purlo {
namespace {

using Kind = PurloPrivacySignal::Kind;
using State = PurloPrivacySignal::State;

const char* const quietCursorDetail = "Eyes and in-place cursor play are quiet right now.";

} // namespace

std::string reactionIntensityPercentage(double intensity) {
    const long percent = intensity > 0.1 ? std::lround(std::min(intensity, 1.0) * 100.0) : 10;
    return std::to_string(percent) + "%";
}

PurloPrivacySignal PurloPrivacySignal::cursorAttentionSignal(const PurloSettings& settings,
                                                             bool napActive,
                                                             bool quietHoursActive) {
    const bool quiet = napActive || quietHoursActive;
    const std::string percentage = reactionIntensityPercentage(settings.reactionIntensity);
    if (settings.eyeTrackingEnabled) {
        if (quiet) {
            return {Kind::cursorAttention, State::paused, quietCursorDetail};
        }
        if (!settings.reactionsEnabled) {
            return {Kind::cursorAttention, State::active,
                    "Eyes can look toward the cursor; body stays anchored."};
        }
        return {Kind::cursorAttention, State::active,
                "Eyes can look toward the cursor and react in place at " + percentage + "."};
    }
    if (!settings.reactionsEnabled) {
        return {Kind::cursorAttention, State::off, "Eyes and in-place cursor play are disabled."};
    }
    if (quiet) {
        return {Kind::cursorAttention, State::paused, quietCursorDetail};
    }
    return {Kind::cursorAttention, State::active,
            "Fast cursor movement can trigger in-place play at " + percentage + "."};
}

PurloPrivacySignal PurloPrivacySignal::typingRhythmSignal(const PurloSettings& settings,
                                                          bool napActive, bool quietHoursActive,
                                                          bool inputMonitoringGranted) {
    if (!settings.typingReactionsEnabled) {
        return {Kind::typingRhythm, State::off, "Typing rhythm reactions are disabled."};
    }
    if (!inputMonitoringGranted) {
        return {Kind::typingRhythm, State::needsPermission,
                "Input Monitoring is needed before keypress timing can be counted."};
    }
    if (napActive || quietHoursActive) {
        return {Kind::typingRhythm, State::paused, "Keypress timing reactions are paused."};
    }
    return {Kind::typingRhythm, State::active,
            "Only timing is counted; typed text is never read. Intensity " +
                reactionIntensityPercentage(settings.reactionIntensity) + "."};
}

PurloPrivacySignal PurloPrivacySignal::appContextSignal(const PurloSettings& settings,
                                                        bool napActive, bool quietHoursActive) {
    // Auto-hide must see the frontmost application even while the cat rests.
    const bool autoHides =
        settings.companionPresenceMode == CompanionPresenceMode::autoHideWhenAppsActive;
    if (settings.activeAppAwarenessEnabled) {
        if ((napActive || quietHoursActive) && !autoHides) {
            return {Kind::appContext, State::paused,
                    "Active app context is not sampled while Purlo is quiet."};
        }
        if (autoHides) {
            return {Kind::appContext, State::active,
                    "Purlo can notice app name and bundle identifier for developer-tool "
                    "awareness and auto-hide."};
        }
        return {Kind::appContext, State::active,
                "Purlo can notice app name and bundle identifier."};
    }
    if (autoHides) {
        return {Kind::appContext, State::active,
                "Purlo can notice app name and bundle identifier only to hide while another "
                "app is frontmost."};
    }
    return {Kind::appContext, State::off, "Developer-tool awareness is disabled."};
}

PurloPrivacySignal PurloPrivacySignal::localAgentBridgeSignal(const PurloSettings& settings,
                                                              bool napActive) {
    if (!settings.localAgentBridgeEnabled) {
        return {Kind::localAgentBridge, State::off, "Local agent events are ignored."};
    }
    if (napActive) {
        return {Kind::localAgentBridge, State::paused,
                "Local agent events are paused while Purlo naps."};
    }
    return {Kind::localAgentBridge, State::active,
            "Explicit short local status events can change Purlo's mood; do not include "
            "prompts, code, or output."};
}

PurloPrivacySignal PurloPrivacySignal::motivationSignal(const PurloSettings& settings,
                                                        bool napActive, bool quietHoursActive) {
    const bool nothingToNudge = settings.stretchReminderMinutes < 1 &&
                                settings.activeHabitReminders().empty() &&
                                settings.kindNudgeMinutes < 1 && settings.pomodoroFocusMinutes < 1;
    if (nothingToNudge) {
        return {Kind::motivation, State::off, "Motivation nudges are disabled."};
    }
    if (napActive || quietHoursActive) {
        return {Kind::motivation, State::paused, "Reminders are quiet right now."};
    }
    return {Kind::motivation, State::active,
            "Stretch, habit, kind, focus, and small-win nudges are available."};
}

PurloPrivacySignal PurloPrivacySignal::privateContentSignal() {
    return {Kind::privateContent, State::never,
            "No screenshots, messages, documents, prompts, code, terminal output, browser "
            "contents, full paths, license keys, or typed content are captured."};
}

} // namespace purlo
