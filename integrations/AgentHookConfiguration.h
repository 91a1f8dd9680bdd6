#pragma once

#include "integrations/AgentTool.h"
#include "model/AgentEventSnapshot.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>

namespace purlo {

// Edits one coding tool's hook file as bytes in, bytes out: removes this
// program's hook entries and, when reactions are on, adds them again at the end,
// one per event the tool reports; an entry of ours that is already there exactly
// as we write it keeps its place. Everything else in the file stays, long
// integers included. Never touches the disk; the integration manager reads,
// compares, backs up and writes.
struct AgentHookConfiguration {
    // Why a file's content cannot be edited. The two JSON cases stand for the
    // parser's and the writer's failures, which never leave the editor.
    enum class ConfigurationError {
        // The JSON is not shaped like a hook file this editor understands.
        invalidConfiguration = 1,
        unparsableJson,
        unwritableJson,
    };

    // The file's new bytes, or why the present ones cannot be edited.
    using Result = std::variant<std::string, ConfigurationError>;

    AgentTool tool = AgentTool::claudeCode;
    // The installed hook script every command runs.
    std::filesystem::path helperURL;

    // present is the file's content, nothing when the file does not exist.
    Result updatedConfiguration(const std::optional<std::string>& present, bool enabled) const;

    // "/bin/sh '<script>' '<tool>' <word>": this program's entries are recognised
    // by this exact text, so the same tool, script and word always give it.
    std::string command(AgentEventKind word) const;
};

const std::error_category& configurationErrorCategory();
std::error_code make_error_code(AgentHookConfiguration::ConfigurationError error);

} // namespace purlo

template <>
struct std::is_error_code_enum<purlo::AgentHookConfiguration::ConfigurationError> : std::true_type {
};
