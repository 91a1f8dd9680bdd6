#include "runtime/PurloRuntime.h"

#include <algorithm>

namespace purlo {

PurloRuntimeTickSamples PurloRuntime::collectTickSamples(bool napActive, bool quietHoursActive,
                                                         std::optional<ReminderEvent> announcement,
                                                         double now) {
    const PurloSettings& settings = *settings_;
    // Pomodoro time runs on through naps and quiet hours.
    const auto pomodoroEvent = pomodoroController_.advance(settings, now);
    // Quiet hours do not switch the agents off; a nap does.
    const AgentEventSnapshot& agentEvent =
        sampleAgentEvent(settings.localAgentBridgeEnabled && !napActive, now);
    // Hiding while other applications are in front needs to know them at all times.
    const bool appNeeded =
        settings.companionPresenceMode == CompanionPresenceMode::autoHideWhenAppsActive ||
        (settings.activeAppAwarenessEnabled && !napActive && !quietHoursActive);
    const ActiveAppSnapshot& activeApp = sampleActiveApp(appNeeded, now);
    const bool typingWanted = settings.typingReactionsEnabled && !napActive && !quietHoursActive;
    const TypingSnapshot typing = typingWanted ? typingMonitor_->snapshot(now) : TypingSnapshot{};

    std::optional<ReminderEvent> reminder;
    if (napActive || quietHoursActive) {
        // Due reminders wait and fire one per tick once she is awake again.
    } else if (announcement) {
        reminder = std::move(announcement);
    } else if (!scheduledNapController_.isArmed()) {
        // Nothing competes with an announced nap.
        reminder = reminderScheduler_.evaluate(settings, now);
    }
    return PurloRuntimeTickSamples{pomodoroEvent,      pomodoroController_.state,
                                   agentEvent,         tickInputCache_.agentEventHistory,
                                   activeApp,          typing,
                                   std::move(reminder)};
}

const AgentEventSnapshot& PurloRuntime::sampleAgentEvent(bool enabled, double now) {
    PurloRuntimeTickInputCache& cache = tickInputCache_;
    if (!enabled) {
        // Whatever arrives meanwhile counts as seen, so nothing is replayed later.
        agentEventBridge_.reset();
        cache.agentEvent = AgentEventSnapshot::empty();
        cache.agentEventHistory.clear();
        cache.lastAgentEventSampleTime.reset();
        return cache.agentEvent;
    }
    if (cache.lastAgentEventSampleTime &&
        now - *cache.lastAgentEventSampleTime < AgentEventBridge::minimumSampleInterval) {
        return cache.agentEvent;
    }
    cache.agentEvent = agentEventBridge_.sample(now);
    const auto& history = agentEventBridge_.eventHistory();
    const auto kept = std::min(history.size(), AgentEventBridge::maxHistoryCount);
    cache.agentEventHistory.assign(history.end() - static_cast<std::ptrdiff_t>(kept),
                                   history.end());
    cache.lastAgentEventSampleTime = now;
    return cache.agentEvent;
}

const ActiveAppSnapshot& PurloRuntime::sampleActiveApp(bool needed, double now) {
    PurloRuntimeTickInputCache& cache = tickInputCache_;
    if (!needed) {
        // Forgetting the time makes the next needed sample read at once.
        cache.activeApp = ActiveAppSnapshot{};
        cache.lastActiveAppSampleTime.reset();
        return cache.activeApp;
    }
    if (cache.lastActiveAppSampleTime &&
        now - *cache.lastActiveAppSampleTime < activeAppSampleInterval) {
        return cache.activeApp;
    }
    cache.activeApp = activeAppSensor_.sample();
    cache.lastActiveAppSampleTime = now;
    return cache.activeApp;
}

} // namespace purlo
