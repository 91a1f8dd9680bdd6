#pragma once

#include "model/AgentEventSnapshot.h"
#include "platform/AtomicFile.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace purlo {

// Writes an agent event the way the hook commands do, for the program's own actions.
struct AgentEventWriter {
    std::filesystem::path eventFileURL;
    // The uptime stamped into the event, in seconds; the system's by default.
    std::function<double()> now = systemUptime;

    static double systemUptime();

    // Creates the file's folder when needed and replaces the file atomically with one
    // event (no message, stamped now()); never leaves a partial file. The error says
    // what could not be done.
    std::optional<FileError> write(AgentEventKind event, std::optional<std::string> source,
                                   std::optional<double> ttlSeconds) const;
};

} // namespace purlo
