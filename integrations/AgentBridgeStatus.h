#pragma once

#include "model/AgentEventSnapshot.h"

#include <string>
#include <vector>

namespace purlo {

// One recent agent event as the agent tab and the support report list it.
struct AgentBridgeEventRow {
    std::string id;
    std::string source;
    std::string statusText;
    std::string detailText;
    std::string ageText;
    std::string systemImage;

    AgentBridgeEventRow() = default;
    // now is the present uptime in seconds; an event without a received time is
    // as old as now.
    AgentBridgeEventRow(const AgentEventSnapshot& snapshot, double now);

    // "now" below 5 s (and for ages that run backwards), then "59s", "1m", "1h".
    static std::string relativeAgeText(double eventTime, double now);

    friend bool operator==(const AgentBridgeEventRow&, const AgentBridgeEventRow&) = default;
};

// Whether agent reactions are on, where the agent event file lies, and the recent
// events, oldest first.
struct AgentBridgeStatus {
    bool enabled = false;
    std::string eventFilePath;
    std::vector<AgentBridgeEventRow> recentEvents;

    // "Off", "Waiting" or "3 recent".
    std::string summaryText() const;

    friend bool operator==(const AgentBridgeStatus&, const AgentBridgeStatus&) = default;
};

} // namespace purlo
