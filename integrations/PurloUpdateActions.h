#pragma once

#include "integrations/PurloAutomaticUpdater.h"
#include "integrations/PurloUpdateCheckState.h"
#include "integrations/PurloUpdateChecker.h"
#include "platform/Published.h"

#include <functional>
#include <string>

namespace purlo {

// The rules behind the about tab's update controls. The update framework, when
// there is one, is in charge; otherwise the website check runs when the user asks,
// one at a time, and never on its own.

// "Check for Updates": hands over to the framework when it is available; otherwise
// publishes checking, asks the website about the release readAppInfo gives at
// that moment, and publishes what the check found. A second press while a check
// runs does nothing. The state must live as long as the checker.
void checkForUpdates(PurloAutomaticUpdating& automaticUpdater, PurloUpdateChecking& updateChecker,
                     Published<PurloUpdateCheckState>& updateCheckState,
                     const std::function<PurloAppInfo()>& readAppInfo);

// The framework's own answer, else true unless a website check is running.
bool canCheckForUpdates(const PurloAutomaticUpdating& automaticUpdater,
                        const PurloUpdateCheckState& state);

PurloUpdatePresentation updatePresentation(const PurloAutomaticUpdating& automaticUpdater,
                                           const PurloUpdateCheckState& state);

// Passes the download switch on only where the framework allows automatic updates;
// otherwise the value is dropped and the switch keeps reading the framework's flag.
void setAutomaticallyDownloadsUpdates(PurloAutomaticUpdating& automaticUpdater, bool enabled);

// What the user reads when a check fails. Status codes and the errors' own
// descriptions are never shown.
std::string updateCheckMessage(const PurloUpdateCheckFailure& failure);

// The state a finished check leaves: up to date or available with the manifest's own
// version and build, or unavailable with the failure's message.
PurloUpdateCheckState updateCheckStateAfter(const PurloUpdateCheckOutcome& outcome);

} // namespace purlo
