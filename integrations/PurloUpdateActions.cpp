#include "integrations/PurloUpdateActions.h"

namespace purlo {
namespace {

std::string checkErrorMessage(const PurloUpdateCheckError& error) {
    switch (error.kind()) {
    case PurloUpdateCheckError::Kind::manifestNotConfigured:
        return "Update checking is not available in this copy of Purlo.";
    case PurloUpdateCheckError::Kind::insecureEndpoint:
        return "Purlo blocked an unsafe update connection.";
    case PurloUpdateCheckError::Kind::invalidResponse:
        return "Purlo could not read the update information. Try again later.";
    case PurloUpdateCheckError::Kind::rejected:
        return "The update service is unavailable. Try again later.";
    }
    return {};
}

} // namespace

void checkForUpdates(PurloAutomaticUpdating& automaticUpdater, PurloUpdateChecking& updateChecker,
                     Published<PurloUpdateCheckState>& updateCheckState,
                     const std::function<PurloAppInfo()>& readAppInfo) {
    if (automaticUpdater.isAvailable()) {
        automaticUpdater.checkForUpdates();
        return;
    }
    if (updateCheckState->isChecking()) {
        return;
    }
    updateCheckState.set(PurloUpdateCheckState::checking());
    updateChecker.check(readAppInfo(), [&updateCheckState](const PurloUpdateCheckOutcome& outcome) {
        updateCheckState.set(updateCheckStateAfter(outcome));
    });
}

bool canCheckForUpdates(const PurloAutomaticUpdating& automaticUpdater,
                        const PurloUpdateCheckState& state) {
    if (automaticUpdater.isAvailable()) {
        return automaticUpdater.canCheckForUpdates();
    }
    return !state.isChecking();
}

PurloUpdatePresentation updatePresentation(const PurloAutomaticUpdating& automaticUpdater,
                                           const PurloUpdateCheckState& state) {
    if (automaticUpdater.isAvailable()) {
        return PurloUpdatePresentation::inApp(automaticUpdater.automaticallyChecksForUpdates(),
                                              automaticUpdater.automaticallyDownloadsUpdates(),
                                              canCheckForUpdates(automaticUpdater, state));
    }
    return PurloUpdatePresentation::manual(state);
}

void setAutomaticallyDownloadsUpdates(PurloAutomaticUpdating& automaticUpdater, bool enabled) {
    if (automaticUpdater.isAvailable() && automaticUpdater.allowsAutomaticUpdates()) {
        automaticUpdater.setAutomaticallyDownloadsUpdates(enabled);
    }
}

std::string updateCheckMessage(const PurloUpdateCheckFailure& failure) {
    if (const auto* error = std::get_if<PurloUpdateCheckError>(&failure)) {
        return checkErrorMessage(*error);
    }
    return "Purlo could not check for updates. Try again later.";
}

PurloUpdateCheckState updateCheckStateAfter(const PurloUpdateCheckOutcome& outcome) {
    if (const auto* failure = std::get_if<PurloUpdateCheckFailure>(&outcome)) {
        return PurloUpdateCheckState::unavailable(updateCheckMessage(*failure));
    }
    const auto& result = std::get<PurloUpdateCheckResult>(outcome);
    if (result.kind == PurloUpdateCheckResult::Kind::updateAvailable) {
        return PurloUpdateCheckState::updateAvailable(result.manifest);
    }
    return PurloUpdateCheckState::upToDate(result.manifest.version, result.manifest.build);
}

} // namespace purlo
