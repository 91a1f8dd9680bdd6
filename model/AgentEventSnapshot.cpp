#include "model/AgentEventSnapshot.h"

#include "base/UnicodeText.h"

#include <algorithm>
#include <utility>

namespace purlo {

const AgentEventSnapshot& AgentEventSnapshot::empty() {
    static const AgentEventSnapshot none;
    return none;
}

std::string AgentEventSnapshot::sourceDisplayName() const {
    static constexpr std::pair<std::string_view, std::string_view> knownSources[] = {
        {"codex", "Codex"},   {"claude code", "Claude Code"},
        {"cursor", "Cursor"}, {"terminal", "Terminal"},
        {"purlo", "Purlo"},
    };
    const std::string key = lowercased(trimmedWhitespace(source));
    for (const auto& [lowered, displayName] : knownSources) {
        if (key == lowered) {
            return std::string(displayName);
        }
    }
    return "Agent";
}

bool AgentEventSnapshot::arraysEqual(std::span<const AgentEventSnapshot> left,
                                     std::span<const AgentEventSnapshot> right) {
    return std::ranges::equal(left, right);
}

} // namespace purlo
