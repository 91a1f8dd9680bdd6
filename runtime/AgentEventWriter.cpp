#include "runtime/AgentEventWriter.h"

#include "platform/Clock.h"
#include "runtime/AgentEventPayload.h"

namespace purlo {

double AgentEventWriter::systemUptime() {
    return SystemClock().uptime();
}

std::optional<FileError> AgentEventWriter::write(AgentEventKind event,
                                                 std::optional<std::string> source,
                                                 std::optional<double> ttlSeconds) const {
    if (const auto error = createFolders(eventFileURL.parent_path())) {
        return FileError::creatingFolder(eventFileURL.parent_path(), error);
    }
    AgentEventPayload payload;
    payload.event = event;
    payload.source = std::move(source);
    payload.timestamp = now();
    payload.ttlSeconds = ttlSeconds;
    const auto bytes = encodeAgentEventPayload(payload);
    if (!bytes) {
        return FileError{"The agent event could not be encoded."};
    }
    if (const auto error = writeFileAtomically(eventFileURL, *bytes)) {
        return FileError::saving(eventFileURL, error);
    }
    return std::nullopt;
}

} // namespace purlo
