#include "integrations/AgentIntegrationManager.h"

#include "base/Enumeration.h"
#include "base/JsonText.h"
#include "base/RandomUuid.h"
#include "base/RegularFile.h"
#include "integrations/AgentHookScript.h"
#include "integrations/ResolvedPath.h"
#include "platform/AtomicFile.h"

#include <array>
#include <unistd.h>
#include <variant>

namespace purlo {
namespace fs = std::filesystem;

namespace {

using ConfigurationError = AgentHookConfiguration::ConfigurationError;

constexpr fs::perms ownerOnlyFolder = fs::perms::owner_all;
constexpr fs::perms ownerOnlyProgram = fs::perms::owner_all;
constexpr fs::perms ownerOnlyFile = fs::perms::owner_read | fs::perms::owner_write;

std::string toolName(AgentTool tool) {
    return std::string(toString(tool));
}

AgentConnectionStatus notFound(AgentTool tool) {
    return {tool, "Not found", "Open " + toolName(tool) + " once, then check again."};
}

AgentConnectionStatus needsAttention(AgentTool tool) {
    return {tool, "Needs attention",
            "Couldn’t update " + toolName(tool) +
                "’s settings. Your existing configuration is preserved."};
}

AgentConnectionStatus ready(AgentTool tool) {
    static constexpr std::array<std::string_view, 3> details{
        "Start a new session to use Purlo’s reactions.",
        "Start a new local session. If asked, review Purlo’s connections in Codex’s /hooks menu.",
        "Ready for your next local Agent task.",
    };
    return {tool, "Ready", std::string(details[static_cast<std::size_t>(tool)])};
}

AgentConnectionStatus off(AgentTool tool) {
    return {tool, "Off", "Agent reactions are turned off."};
}

// Backups are named after the tool's folder.
std::string_view backupPrefix(AgentTool tool) {
    static constexpr std::array<std::string_view, 3> prefixes{".claude", ".codex", ".cursor"};
    return prefixes[static_cast<std::size_t>(tool)];
}

// The gate names the process that wrote it: its id and a space, then a session id.
bool isOwnGate(std::string_view text) {
    return text.starts_with(std::to_string(::getpid()) + " ");
}

// Whether the edited bytes say what the old ones said, however either is laid out.
bool saysTheSame(std::string_view old, std::string_view updated) {
    return parseJsonText(old, LongIntegers::keptAsText) ==
           parseJsonText(updated, LongIntegers::keptAsText);
}

} // namespace

AgentIntegrationManager::AgentIntegrationManager(fs::path homeURL, fs::path supportURL,
                                                 Environment environment)
    : homeURL_(std::move(homeURL))
    , supportURL_(std::move(supportURL))
    , environment_(std::move(environment)) {}

fs::path AgentIntegrationManager::integrationsURL() const {
    return supportURL_ / "Integrations";
}

fs::path AgentIntegrationManager::helperURL() const {
    return integrationsURL() / "purlo-agent-hook";
}

fs::path AgentIntegrationManager::gateURL() const {
    return integrationsURL() / "enabled";
}

fs::path AgentIntegrationManager::backupsURL() const {
    return integrationsURL() / "Backups";
}

void AgentIntegrationManager::removeStaleTemporaryFiles() const {
    purlo::removeStaleTemporaryFiles(helperURL());
    purlo::removeStaleTemporaryFiles(gateURL());
    removeStaleTemporaryFilesIn(backupsURL());
    for (const AgentTool tool : allCases<AgentTool>()) {
        std::error_code error;
        const fs::path file = resolvedPath(configurationFileURL(tool), error);
        if (!error) {
            purlo::removeStaleTemporaryFiles(file);
        }
    }
}

std::vector<AgentConnectionStatus> AgentIntegrationManager::apply(bool enabled) const {
    removeStaleTemporaryFiles();
    const std::error_code error = enabled ? installHelperAndGate() : removeGate();
    std::vector<AgentConnectionStatus> statuses;
    for (const AgentTool tool : allCases<AgentTool>()) {
        if (error) {
            statuses.push_back(
                {tool, "Needs attention", "Purlo couldn’t update its connections. Try again."});
        } else {
            statuses.push_back(connectionStatus(tool, enabled));
        }
    }
    return statuses;
}

std::error_code AgentIntegrationManager::installHelperAndGate() const {
    if (const auto error = createFolders(integrationsURL(), ownerOnlyFolder)) {
        return error;
    }

    const std::string script = agentHookScript(supportURL_);
    std::error_code error;
    if (readRegularFile(helperURL(), maximumOwnFileSize, error) != script) {
        if (const auto writeError = writeFileAtomically(helperURL(), script, ownerOnlyProgram)) {
            return writeError;
        }
    }
    fs::permissions(helperURL(), ownerOnlyProgram, error);
    if (error) {
        return error;
    }

    // Kept while this process runs, so repeated installs keep the session; a gate
    // of an earlier run is replaced.
    if (!isOwnGate(readRegularFile(gateURL(), maximumOwnFileSize, error).value_or(""))) {
        const auto session = randomUuid();
        if (!session) {
            return std::make_error_code(std::errc::resource_unavailable_try_again);
        }
        const std::string gate = std::to_string(::getpid()) + " " + *session;
        if (const auto writeError = writeFileAtomically(gateURL(), gate, ownerOnlyFile)) {
            return writeError;
        }
    }
    fs::permissions(gateURL(), ownerOnlyFile, error);
    return error;
}

std::error_code AgentIntegrationManager::removeGate() const {
    std::error_code error;
    const auto text = readRegularFile(gateURL(), maximumOwnFileSize, error);
    if (!text) {
        // Something that is no regular file, or far larger than a gate, is never ours.
        const bool silent = error == std::errc::no_such_file_or_directory ||
                            error == std::errc::invalid_argument ||
                            error == std::errc::file_too_large;
        return silent ? std::error_code() : error;
    }
    if (!isOwnGate(*text)) {
        return {};
    }
    if (::unlink(gateURL().c_str()) != 0 && errno != ENOENT) {
        return {errno, std::generic_category()};
    }
    return {};
}

fs::path AgentIntegrationManager::configurationFileURL(AgentTool tool) const {
    const auto folder = [this](std::string_view variable, std::string_view fallback) {
        const auto value = environmentValue(environment_, variable);
        return value && value->starts_with('/') ? fs::path(*value) : homeURL_ / fallback;
    };
    switch (tool) {
    case AgentTool::claudeCode:
        return folder("CLAUDE_CONFIG_DIR", ".claude") / "settings.json";
    case AgentTool::codex:
        return folder("CODEX_HOME", ".codex") / "hooks.json";
    case AgentTool::cursor:
        return homeURL_ / ".cursor" / "hooks.json";
    }
    return {};
}

AgentConnectionStatus AgentIntegrationManager::connectionStatus(AgentTool tool,
                                                                bool enabled) const {
    const fs::path file = configurationFileURL(tool);
    std::error_code error;
    // A tool that was never opened has no folder; making one would not install it.
    if (!fs::exists(file.parent_path(), error) && !error) {
        return notFound(tool);
    }
    if (updateConfiguration(tool, file, enabled)) {
        return needsAttention(tool);
    }
    return enabled ? ready(tool) : off(tool);
}

std::error_code AgentIntegrationManager::updateConfiguration(AgentTool tool, const fs::path& at,
                                                             bool enabled) const {
    std::error_code error;
    const fs::path file = resolvedPath(at, error);
    if (error) {
        return error;
    }
    const std::optional<std::string> old = readRegularFile(file, maximumConfigurationSize, error);
    if (!old && error != std::errc::no_such_file_or_directory) {
        return error;
    }
    if (!old && !enabled) {
        return {};
    }

    const AgentHookConfiguration editor{tool, helperURL()};
    const auto updated = editor.updatedConfiguration(old, enabled);
    if (const auto* failure = std::get_if<ConfigurationError>(&updated)) {
        return make_error_code(*failure);
    }
    const std::string& bytes = std::get<std::string>(updated);

    if (old) {
        if (saysTheSame(*old, bytes)) {
            return {};
        }
        if (const auto backupError = backUp(tool, *old)) {
            return backupError;
        }
    }
    return replaceFileKeepingMode(file, bytes, ownerOnlyFile);
}

std::error_code AgentIntegrationManager::backUp(AgentTool tool, std::string_view bytes) const {
    const fs::path backups = backupsURL();
    if (const auto error = createFolders(backups, ownerOnlyFolder)) {
        return error;
    }
    const auto name = randomUuid();
    if (!name) {
        return std::make_error_code(std::errc::resource_unavailable_try_again);
    }
    const std::string fileName = std::string(backupPrefix(tool)) + "-" + *name + ".json";
    return writeFileAtomically(backups / fileName, bytes, ownerOnlyFile);
}

} // namespace purlo
