#pragma once

#include "integrations/AgentTool.h"

#include <string>
#include <string_view>

namespace purlo {

// How one coding tool is connected, as the agent tab lists it.
struct AgentConnectionStatus {
    AgentTool tool = AgentTool::claudeCode;
    std::string title;
    std::string detail;

    // One row per tool, so the tool's name identifies the row.
    std::string_view id() const { return toString(tool); }

    friend bool operator==(const AgentConnectionStatus&, const AgentConnectionStatus&) = default;
};

} // namespace purlo
