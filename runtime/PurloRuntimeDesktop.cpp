#include "runtime/PurloRuntime.h"

namespace purlo {

void PurloRuntime::addDesktopObservers() {
    if (!desktopObservers_.empty()) {
        return;
    }
    desktopObservers_.push_back(desktopObserverSource_.observeDidBecomeActive(
        [this] { recheckInputMonitoringPermission(); }));
    desktopObservers_.push_back(
        desktopObserverSource_.observeScreenParametersChanged([this] { handleDesktopChange(); }));
    desktopObservers_.push_back(
        desktopObserverSource_.observeDidWake([this] { handleDesktopChange(); }));
}

void PurloRuntime::removeDesktopObservers() {
    desktopObservers_.clear();
}

void PurloRuntime::handleDesktopChange() {
    pointerTracker_.seed(clock_.uptime());
    placeCompanionIfOffScreen(pointer_.location());
    tickNow();
}

void PurloRuntime::startAgentIntegrations() {
    agentIntegrationManager_.emplace(homeFolder_, supportFolder_, environment_);
    recheckAgentConnections();
}

void PurloRuntime::recheckAgentConnections() {
    if (agentIntegrationManager_) {
        agentConnections_.set(agentIntegrationManager_->apply(settings_->localAgentBridgeEnabled));
    }
}

AgentBridgeStatus PurloRuntime::agentBridgeStatus() const {
    AgentBridgeStatus status;
    status.enabled = settings_->localAgentBridgeEnabled;
    status.eventFilePath = agentEventBridge_.eventFileURL().string();
    const double now = clock_.uptime();
    for (const AgentEventSnapshot& event : *agentEventHistory_) {
        status.recentEvents.emplace_back(event, now);
    }
    return status;
}

} // namespace purlo
