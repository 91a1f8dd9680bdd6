#pragma once

#include "intents/PurloAppIntents.h"
#include "runtime/AgentEventWriter.h"

#include <optional>
#include <string>

namespace purlo {

class PurloRuntime;

// The thin layer between the actions and the program: five operations are the
// runtime's own user actions; the sixth writes an agent event into the agent event
// file, so that an action from outside takes the same road as a coding tool's hook.
// Made, used and dropped within one action, on the event loop.
struct PurloIntentActionService {
    PurloRuntime& runtime;
    AgentEventWriter agentEventWriter;

    // The writer writes the runtime's agent event file, stamped with its clock's uptime.
    static PurloIntentActionService forRuntime(PurloRuntime& runtime);

    // Lifetimes of the events the agent status writes, in seconds.
    static constexpr double thinkingLifetime = 60;
    static constexpr double doneLifetime = 3;

    void pet() const;
    // A focus phase of the configured focus length.
    void startFocus() const;
    // The three that change the settings answer why they could not be saved, if so.
    std::optional<std::string> markWin() const;
    // From the present date on.
    std::optional<std::string> nap(PurloNapShortcutDuration duration) const;
    std::optional<std::string> wake() const;
    // thinking as a thinking event, done as a completed one, with source as given. The
    // runtime notices it at its next look at the file, about a second later.
    std::optional<FileError> setAgentStatus(PurloAgentShortcutStatus status,
                                            std::string source) const;
};

} // namespace purlo
