#pragma once

#include "base/Enumeration.h"

#include <optional>
#include <span>
#include <string>

namespace purlo {

// What a coding agent reported. The case order indexes the hold and lifetime tables.
enum class AgentEventKind { started, thinking, waiting, completed, failed };

template <>
struct EnumNames<AgentEventKind> {
    static constexpr std::array<std::string_view, 5> values{"started", "thinking", "waiting",
                                                            "completed", "failed"};
};

// The current agent event; times are uptime seconds.
struct AgentEventSnapshot {
    std::optional<AgentEventKind> kind;
    std::string source;
    std::optional<std::string> message;
    std::optional<double> receivedAt;
    std::optional<double> expiresAt;

    // The one value that means no agent event is current.
    static const AgentEventSnapshot& empty();

    // "Codex", "Claude Code", "Cursor", "Terminal", "Purlo", else "Agent".
    std::string sourceDisplayName() const;

    // Whether two histories hold the same events in the same order.
    static bool arraysEqual(std::span<const AgentEventSnapshot> left,
                            std::span<const AgentEventSnapshot> right);

    friend bool operator==(const AgentEventSnapshot&, const AgentEventSnapshot&) = default;
};

} // namespace purlo
