#pragma once

#include <filesystem>
#include <string>

namespace purlo {

// The text of "Integrations/purlo-agent-hook", the small /bin/sh program every hook
// command runs. While the gate names a live process it turns one tool event into
// the one-line agent event file in supportURL; otherwise it does nothing. It never
// reads from the tool, prints nothing and always exits 0, so a missing companion
// never interrupts the agent.
std::string agentHookScript(const std::filesystem::path& supportURL);

} // namespace purlo
