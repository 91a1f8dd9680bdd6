#pragma once

#include "integrations/AgentConnectionStatus.h"
#include "integrations/AgentHookConfiguration.h"
#include "integrations/AgentTool.h"
#include "platform/Environment.h"

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

namespace purlo {

// Connects the program to the local coding tools. Turned on, it installs the hook
// script and the gate in "Integrations" inside the support folder and adds this
// program's hook entries to each tool's file; turned off, it removes the gate and
// the entries. Every call reports one status per tool. Plain synchronous file work
// for the main thread; it keeps no state between calls.
class AgentIntegrationManager {
public:
    // homeURL is the user's home folder, supportURL the folder that holds
    // "agent-event.json", environment the process environment.
    AgentIntegrationManager(std::filesystem::path homeURL, std::filesystem::path supportURL,
                            Environment environment);

    // A tool's hook file holds a few kilobytes. One far larger is not read at all, so it
    // costs no memory, and is left exactly as it is, as an invalid one is.
    static constexpr std::size_t maximumConfigurationSize = 16 * 1024 * 1024;
    // The hook script and the gate are a few lines of this program's own.
    static constexpr std::size_t maximumOwnFileSize = 64 * 1024;

    // One status per tool, in tool order. A failure shows in the statuses. The
    // temporary files an interrupted write of ours left beside these files go first.
    std::vector<AgentConnectionStatus> apply(bool enabled) const;

    // Deletes the gate when it is this process's own, so that a second running
    // copy's quit never silences the hooks of the one that keeps running. A gate
    // that is missing or another process's is not an error.
    std::error_code removeGate() const;

    // Writes the hook script when its text changed and the gate when it is not
    // this process's yet, both owner-only.
    std::error_code installHelperAndGate() const;

    AgentConnectionStatus connectionStatus(AgentTool tool, bool enabled) const;

    // The tool's hook file: "CLAUDE_CONFIG_DIR" and "CODEX_HOME" count only when
    // absolute.
    std::filesystem::path configurationFileURL(AgentTool tool) const;

    // Rewrites the tool's file at (its link target when it is a link) when its
    // parsed content changes, after copying the old bytes to a new backup. The file
    // keeps its permissions, as an editor's save keeps them; one this creates is
    // owner-only. An invalid file is left exactly as it is.
    std::error_code updateConfiguration(AgentTool tool, const std::filesystem::path& at,
                                        bool enabled) const;

private:
    std::filesystem::path integrationsURL() const;
    std::filesystem::path helperURL() const;
    std::filesystem::path gateURL() const;
    std::filesystem::path backupsURL() const;
    void removeStaleTemporaryFiles() const;
    std::error_code backUp(AgentTool tool, std::string_view bytes) const;

    std::filesystem::path homeURL_;
    std::filesystem::path supportURL_;
    Environment environment_;
};

} // namespace purlo
