#include "integrations/PurloUpdateActions.h"
#include "runtime/PurloRuntime.h"

namespace purlo {

void PurloRuntime::checkForUpdates() {
    purlo::checkForUpdates(*automaticUpdater_, *updateChecker_, updateCheckState_,
                           [this] { return appInfo(); });
}

bool PurloRuntime::canCheckForUpdates() const {
    return purlo::canCheckForUpdates(*automaticUpdater_, *updateCheckState_);
}

PurloUpdatePresentation PurloRuntime::updatePresentation() const {
    return purlo::updatePresentation(*automaticUpdater_, *updateCheckState_);
}

bool PurloRuntime::automaticallyChecksForUpdates() const {
    return automaticUpdater_->automaticallyChecksForUpdates();
}

void PurloRuntime::setAutomaticallyChecksForUpdates(bool enabled) {
    automaticUpdater_->setAutomaticallyChecksForUpdates(enabled);
    // The about tab follows the update state; hearing from it again, it reads the
    // switches afresh, and shows the framework's flag also when the write was dropped.
    updateCheckState_.set(*updateCheckState_);
}

bool PurloRuntime::automaticallyDownloadsUpdates() const {
    return automaticUpdater_->automaticallyDownloadsUpdates();
}

void PurloRuntime::setAutomaticallyDownloadsUpdates(bool enabled) {
    purlo::setAutomaticallyDownloadsUpdates(*automaticUpdater_, enabled);
    updateCheckState_.set(*updateCheckState_);
}

void PurloRuntime::openUpdateDownloadPage(UrlOpener::Done done) {
    if (const auto url = updateCheckState_->downloadURL()) {
        urlOpener_.open(url->text(), std::move(done));
    }
}

std::string PurloRuntime::updateCheckMessage(const PurloUpdateCheckFailure& failure) {
    return purlo::updateCheckMessage(failure);
}

} // namespace purlo
