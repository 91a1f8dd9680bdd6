#include "integrations/AgentHookScript.h"

#include "integrations/ShellQuoting.h"

#include <array>
#include <string_view>

namespace purlo {
namespace {

constexpr std::array<std::string_view, 4> linesBeforeFolder{
    "#!/bin/sh",
    "# Purlo agent reactions. Deliberately does not read hook input or output.",
    "# Always succeed so an unavailable companion never interrupts a task.",
    "exec 2>/dev/null",
};

// A gate's process id of 0 would make "kill -0" ask about the script's own process
// group, which always answers; leading zeros never come from the application, so
// such a gate is not its own. The tools are named by absolute paths because the
// coding tools run hooks with whatever PATH they have; /bin/mktemp exists whether
// or not /usr is merged. A record that could not be written in full (a full disk)
// is never moved into place, where it would read as a failed agent.
constexpr std::array<std::string_view, 15> linesAfterFolder{
    "purlo_gate=\"$purlo_dir/Integrations/enabled\"",
    "[ -f \"$purlo_gate\" ] || exit 0",
    "purlo_session=$(/bin/cat \"$purlo_gate\")",
    "purlo_pid=${purlo_session%% *}",
    "case \"$purlo_pid\" in ''|0*|*[!0-9]*) exit 0 ;; esac",
    "kill -0 \"$purlo_pid\" 2>/dev/null || exit 0",
    "case \"$1\" in 'Claude Code'|Codex|Cursor) ;; *) exit 0 ;; esac",
    "case \"$2\" in thinking|waiting|completed) ;; *) exit 0 ;; esac",
    "umask 077",
    "purlo_temp=$(/bin/mktemp \"$purlo_dir/.agent-event.XXXXXX\") || exit 0",
    "trap '/bin/rm -f \"$purlo_temp\"' EXIT",
    "printf '{\"event\":\"%s\",\"source\":\"%s\"}\\n' \"$2\" \"$1\" > \"$purlo_temp\" || exit 0",
    "[ -f \"$purlo_gate\" ] || exit 0",
    "[ \"$(/bin/cat \"$purlo_gate\")\" = \"$purlo_session\" ] || exit 0",
    "/bin/mv -f \"$purlo_temp\" \"$purlo_dir/agent-event.json\"",
};

} // namespace

std::string agentHookScript(const std::filesystem::path& supportURL) {
    std::string script;
    for (const std::string_view line : linesBeforeFolder) {
        script.append(line).append("\n");
    }
    script += "purlo_dir=" + shellQuoted(supportURL.native()) + "\n";
    for (const std::string_view line : linesAfterFolder) {
        script.append(line).append("\n");
    }
    script += "exit 0";
    return script;
}

} // namespace purlo
