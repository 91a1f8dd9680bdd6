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

// Edits one coding tool's hook file as bytes in, bytes out. Turned on, each event
// the tool reports holds this program's handler once: one already there keeps its
// place, else it is added at the end. Turned off, ours go where nothing of the
// user's follows them and otherwise stay, doing nothing. No entry of the user's ever
// moves, since one tool keys the user's trust in a hook by its position. Everything
// else in the file stays, long integers included. Never touches the disk; the
// integration manager reads, compares, backs up and writes.
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

    // /bin/sh -c '/bin/sh "$0" "$@" 2>/dev/null; exit 0' '<script>' '<tool>' <word>
    // The script itself always succeeds, but a shell that cannot open it (deleted with the
    // data folder, or left behind by another $XDG_DATA_HOME) fails with status 2, which the
    // tools take as "block": the outer shell swallows that, through a shell or run as
    // split words alike. This program's entries are recognised by this exact text, so the
    // same tool, script and word always give it.
    std::string command(AgentEventKind word) const;
    // "/bin/sh '<script>' '<tool>' <word>", as earlier versions wrote it: still ours, and
    // replaced by command() where it stands.
    std::string formerCommand(AgentEventKind word) const;

private:
    // "'<script>' '<tool>' <word>", the words both forms end with.
    std::string scriptWords(AgentEventKind word) const;
};

const std::error_category& configurationErrorCategory();
std::error_code make_error_code(AgentHookConfiguration::ConfigurationError error);

} // namespace purlo

template <>
struct std::is_error_code_enum<purlo::AgentHookConfiguration::ConfigurationError> : std::true_type {
};
