#pragma once

#include "base/Enumeration.h"

#include <array>
#include <string_view>

namespace purlo {

// The coding tools whose agents can drive the cat. The raw value is the tool's
// display name and the name its hook command passes to the hook script.
enum class AgentTool { claudeCode, codex, cursor };

template <>
struct EnumNames<AgentTool> {
    static constexpr std::array<std::string_view, 3> values{"Claude Code", "Codex", "Cursor"};
};

} // namespace purlo
