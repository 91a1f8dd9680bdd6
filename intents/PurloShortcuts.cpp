#include "intents/PurloShortcuts.h"

namespace purlo {

std::string PurloShortcut::phrase(std::string_view phrase, std::string_view name) {
    std::string text(phrase);
    for (auto at = text.find(applicationName); at != std::string::npos;
         at = text.find(applicationName, at + name.size())) {
        text.replace(at, applicationName.size(), name);
    }
    return text;
}

const std::array<PurloShortcut, 7>& PurloShortcuts::appShortcuts() {
    static const std::array<PurloShortcut, 7> shortcuts{{
        {PetPurloIntent{},
         {"Pet ${applicationName}", "Give ${applicationName} a pet"},
         "Pet Purlo",
         "hand.tap"},
        {StartPurloFocusIntent{},
         {"Start ${applicationName} focus", "Focus with ${applicationName}"},
         "Start Focus",
         "timer"},
        {MarkPurloWinIntent{},
         {"Mark a win with ${applicationName}", "${applicationName} mark my win"},
         "Mark Win",
         "checkmark.seal"},
        {NapPurloIntent{PurloNapShortcutDuration::fifteenMinutes},
         {"${applicationName} nap", "Pause ${applicationName}"},
         "Nap",
         "moon.zzz"},
        {WakePurloIntent{},
         {"Wake ${applicationName}", "${applicationName} wake up"},
         "Wake",
         "sun.max"},
        {SetPurloAgentStatusIntent{PurloAgentShortcutStatus::thinking, "Shortcut"},
         {"${applicationName} is thinking", "Tell ${applicationName} the agent is thinking"},
         "Agent Thinking",
         "brain.head.profile"},
        {SetPurloAgentStatusIntent{PurloAgentShortcutStatus::done, "Shortcut"},
         {"${applicationName} agent done", "Tell ${applicationName} the agent finished"},
         "Agent Done",
         "sparkles"},
    }};
    return shortcuts;
}

} // namespace purlo
