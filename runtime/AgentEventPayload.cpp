#include "runtime/AgentEventPayload.h"

#include "base/JsonCoding.h"

#include <cmath>

namespace purlo {

std::optional<AgentEventPayload> decodeAgentEventPayload(std::string_view bytes) {
    return decodeBytes(bytes, [](const Json& json) {
        const JsonFields fields(json);
        AgentEventPayload payload;
        payload.event = fields.required<AgentEventKind>("event");
        payload.source = fields.optional<std::string>("source");
        payload.message = fields.optional<std::string>("message");
        payload.timestamp = fields.optional<double>("timestamp");
        payload.ttlSeconds = fields.optional<double>("ttlSeconds");
        // The parser already refuses numbers beyond a double's range; this keeps the
        // rule whatever reads the bytes, since an endless stamp would never expire.
        if (payload.timestamp && !std::isfinite(*payload.timestamp)) {
            throw DecodeError("timestamp is not finite");
        }
        return payload;
    });
}

std::optional<std::string> encodeAgentEventPayload(const AgentEventPayload& payload) {
    const auto finite = [](const std::optional<double>& number) {
        return !number || std::isfinite(*number);
    };
    if (!finite(payload.timestamp) || !finite(payload.ttlSeconds)) {
        return std::nullopt;
    }
    Json json = Json::object();
    json["event"] = payload.event;
    if (payload.source) {
        json["source"] = *payload.source;
    }
    if (payload.message) {
        json["message"] = *payload.message;
    }
    if (payload.timestamp) {
        json["timestamp"] = *payload.timestamp;
    }
    if (payload.ttlSeconds) {
        json["ttlSeconds"] = *payload.ttlSeconds;
    }
    return encodeBytes(json);
}

} // namespace purlo
