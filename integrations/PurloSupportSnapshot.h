#pragma once

#include "base/Date.h"
#include "integrations/AgentBridgeStatus.h"
#include "model/PurloAppInfo.h"
#include "model/PurloDiagnosticsSnapshot.h"
#include "model/PurloPrivacyStatus.h"
#include "model/PurloSettings.h"

#include <string>
#include <string_view>

namespace purlo {

// Everything the support report tells, frozen at one instant, so the same snapshot
// always gives the same text. It holds the whole settings and the event file's path,
// but the report prints no name, pinned note, message or path: it is meant to be
// shared with strangers.
struct PurloSupportSnapshot {
    static constexpr std::string_view inAppUpdatesText = "In-app updates";
    static constexpr std::string_view websiteDownloadText = "Website download";

    Date createdAt;
    PurloAppInfo appInfo;
    PurloDiagnosticsSnapshot diagnostics;
    PurloPrivacyStatus privacyStatus;
    AgentBridgeStatus agentBridgeStatus;
    PurloSettings settings;
    // inAppUpdatesText or websiteDownloadText.
    std::string updateModeText;

    // The plain-text report: lines joined by line feeds, none after the last.
    std::string buildSupportReport() const;
    // One line per privacy signal, in order; empty without signals.
    std::string privacyLines() const;
    // "- Typing rhythm: Quiet - <detail>".
    static std::string privacyLine(const PurloPrivacySignal& signal);

    friend bool operator==(const PurloSupportSnapshot&, const PurloSupportSnapshot&) = default;
};

} // namespace purlo
