#include "intents/PurloIntentActionService.h"

#include "runtime/PurloRuntime.h"

namespace purlo {
namespace {

// The nap of the same length: the cases line up one by one.
PurloNapDuration runtimeNapDuration(PurloNapShortcutDuration duration) {
    switch (duration) {
    case PurloNapShortcutDuration::fifteenMinutes:
        return PurloNapDuration::fifteenMinutes;
    case PurloNapShortcutDuration::twentyMinutes:
        return PurloNapDuration::twentyMinutes;
    case PurloNapShortcutDuration::thirtyMinutes:
        return PurloNapDuration::thirtyMinutes;
    case PurloNapShortcutDuration::oneHour:
        return PurloNapDuration::oneHour;
    }
    return PurloNapDuration::fifteenMinutes;
}

} // namespace

PurloIntentActionService PurloIntentActionService::forRuntime(PurloRuntime& runtime) {
    const Clock& clock = runtime.clock();
    return {runtime, AgentEventWriter{runtime.agentEventBridge().eventFileURL(), [&clock] {
                                          return clock.uptime();
                                      }}};
}

void PurloIntentActionService::pet() const {
    runtime.pet();
}

void PurloIntentActionService::startFocus() const {
    runtime.startFocus();
}

std::optional<std::string> PurloIntentActionService::markWin() const {
    runtime.markWin(runtime.clock().now());
    return *runtime.settingsSaveFailure();
}

std::optional<std::string> PurloIntentActionService::nap(PurloNapShortcutDuration duration) const {
    runtime.nap(runtimeNapDuration(duration), runtime.clock().now());
    return *runtime.settingsSaveFailure();
}

std::optional<std::string> PurloIntentActionService::wake() const {
    runtime.wake();
    return *runtime.settingsSaveFailure();
}

std::optional<FileError> PurloIntentActionService::setAgentStatus(PurloAgentShortcutStatus status,
                                                                  std::string source) const {
    switch (status) {
    case PurloAgentShortcutStatus::thinking:
        return agentEventWriter.write(AgentEventKind::thinking, std::move(source),
                                      thinkingLifetime);
    case PurloAgentShortcutStatus::done:
        return agentEventWriter.write(AgentEventKind::completed, std::move(source), doneLifetime);
    }
    return std::nullopt;
}

} // namespace purlo
