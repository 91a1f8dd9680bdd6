#include "integrations/PurloSupportSnapshot.h"

#include "integrations/InternetDateTime.h"

#include <vector>

namespace purlo {
namespace {

using Kind = PurloPrivacySignal::Kind;
using State = PurloPrivacySignal::State;

std::string_view onOff(bool on) {
    return on ? "On" : "Off";
}

std::string_view levelSentence(PurloDiagnosticsLevel level) {
    switch (level) {
    case PurloDiagnosticsLevel::warmingUp:
        return "Collecting a short local sample.";
    case PurloDiagnosticsLevel::steady:
        return "Runtime cadence and memory look light.";
    case PurloDiagnosticsLevel::watching:
        return "Cadence or memory is worth watching before release.";
    case PurloDiagnosticsLevel::attention:
        return "Profile this build before shipping it broadly.";
    }
    return "";
}

std::string_view kindLabel(Kind kind) {
    switch (kind) {
    case Kind::cursorAttention:
        return "Cursor attention";
    case Kind::typingRhythm:
        return "Typing rhythm";
    case Kind::appContext:
        return "Developer app context";
    case Kind::localAgentBridge:
        return "Local agent bridge";
    case Kind::motivation:
        return "Motivation";
    case Kind::privateContent:
        return "Private content";
    }
    return "";
}

std::string_view stateLabel(State state) {
    switch (state) {
    case State::active:
        return "Active";
    case State::paused:
        return "Quiet";
    case State::off:
        return "Off";
    case State::needsPermission:
        return "Needs permission";
    case State::never:
        return "Never";
    }
    return "";
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        text += index == 0 ? "" : "\n";
        text += lines[index];
    }
    return text;
}

} // namespace

std::string PurloSupportSnapshot::privacyLine(const PurloPrivacySignal& signal) {
    return "- " + std::string(kindLabel(signal.kind)) + ": " +
           std::string(stateLabel(signal.state)) + " - " + signal.detail;
}

std::string PurloSupportSnapshot::privacyLines() const {
    std::vector<std::string> lines;
    for (const PurloPrivacySignal& signal : privacyStatus.signals) {
        lines.push_back(privacyLine(signal));
    }
    return joined(lines);
}

std::string PurloSupportSnapshot::buildSupportReport() const {
    const auto on = [](bool value) {
        return std::string(onOff(value));
    };
    return joined({
        "Purlo Support Report",
        "Generated: " + internetDateTime(createdAt),
        "",
        "App",
        "- Name: " + appInfo.name,
        "- Version: " + appInfo.version,
        "- Build: " + appInfo.build,
        "- Updates: " + updateModeText,
        "- Network: Update checks do not include desktop activity or telemetry",
        "",
        "Diagnostics",
        "- Status: " + std::string(diagnosticsLevelLabel(diagnostics.level)),
        "- Runtime cadence: " + diagnostics.cadenceSummary(),
        "- Memory: " + diagnostics.memorySummary(),
        "- Detail: " + std::string(levelSentence(diagnostics.level)),
        "",
        "Privacy Signals",
        privacyLines(),
        "",
        "Local Agent",
        "- Bridge: " + on(agentBridgeStatus.enabled),
        "- Status: " + agentBridgeStatus.summaryText(),
        "- Recent events: " + std::to_string(agentBridgeStatus.recentEvents.size()),
        "- Event file path: Not included in support report",
        "- Event messages: Not included in support report",
        "",
        "Settings Summary",
        "- Eye tracking: " + on(settings.eyeTrackingEnabled),
        "- Playful reactions: " + on(settings.reactionsEnabled),
        "- Typing rhythm reactions: " + on(settings.typingReactionsEnabled),
        "- Reaction intensity: " + reactionIntensityPercentage(settings.reactionIntensity),
        "- Developer tool awareness: " + on(settings.activeAppAwarenessEnabled),
        "- Local agent bridge: " + on(settings.localAgentBridgeEnabled),
        "- Stretch reminder: " + std::to_string(settings.stretchReminderMinutes) + " minutes",
        "- Active habit reminders: " + std::to_string(settings.activeHabitReminders().size()),
        "- Kind nudges: " + settings.kindNudgeLabel(),
        "- Pomodoro focus: " + std::to_string(settings.pomodoroFocusMinutes) + " minutes",
        "- Quiet hours: " + on(settings.quietHours.enabled),
        "- Scheduled nap: " + on(settings.scheduledNap.enabled),
        "- Cat body: Anchored unless dragged, reset, or re-homed after display changes",
        "",
        "Excluded Private Content",
        "- Typed text",
        "- Screenshots",
        "- Prompts, code, terminal output, and browser contents",
        "- Messages and document contents",
        "- User-provided names and pinned notes",
        "- Full local file paths",
        "- Local agent event details",
        "- Reddit usernames or community data",
    });
}

} // namespace purlo
