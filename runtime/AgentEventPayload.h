#pragma once

#include "model/AgentEventSnapshot.h"

#include <optional>
#include <string>
#include <string_view>

namespace purlo {

// The record in "agent-event.json": what a hook command or this program itself says an
// agent is doing. Times are uptime seconds.
struct AgentEventPayload {
    AgentEventKind event = AgentEventKind::started;
    std::optional<std::string> source;
    std::optional<std::string> message; // accepted, never shown
    std::optional<double> timestamp;
    std::optional<double> ttlSeconds;

    friend bool operator==(const AgentEventPayload&, const AgentEventPayload&) = default;
};

// Decodes one JSON object: "event" must be one of the exact words, the optional keys
// must have their types when present (null counts as absent), other keys are ignored.
// A timestamp that is not a finite number makes the whole record undecodable, since no
// writer could have meant it.
std::optional<AgentEventPayload> decodeAgentEventPayload(std::string_view bytes);

// Compact JSON with "event" and only the optional keys that have a value; nothing when a
// number is not finite or a text is not valid UTF-8.
std::optional<std::string> encodeAgentEventPayload(const AgentEventPayload& payload);

} // namespace purlo
