#include "integrations/PurloAutomaticUpdater.h"

#include "base/UnicodeText.h"
#include "integrations/BuiltInformationValue.h"

namespace purlo {
namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::unique_ptr<PurloUpdaterController>
controllerIfConfigured(const Bundle::Information& information,
                       const PurloSparkleUpdater::ControllerFactory& makeController) {
    if (!isUsableSparkleValue("SUFeedURL", information) ||
        !isUsableSparkleValue("SUPublicEDKey", information) || !makeController) {
        return nullptr;
    }
    return makeController();
}

} // namespace

std::optional<std::string> isUsableSparkleValue(std::string_view key,
                                                const Bundle::Information& information) {
    auto value = builtInformationValue(key, information);
    if (!value) {
        return std::nullopt;
    }
    const std::string lower = lowercased(*value);
    if (contains(lower, "placeholder") || contains(lower, "base64_sparkle")) {
        return std::nullopt;
    }
    return value;
}

PurloSparkleUpdater::PurloSparkleUpdater(const Bundle::Information& information,
                                         const ControllerFactory& makeController)
    : controller_(controllerIfConfigured(information, makeController)) {}

bool PurloSparkleUpdater::canCheckForUpdates() const {
    return controller_ && controller_->canCheckForUpdates();
}

bool PurloSparkleUpdater::automaticallyChecksForUpdates() const {
    return controller_ && controller_->automaticallyChecksForUpdates();
}

void PurloSparkleUpdater::setAutomaticallyChecksForUpdates(bool enabled) {
    if (controller_) {
        controller_->setAutomaticallyChecksForUpdates(enabled);
    }
}

bool PurloSparkleUpdater::automaticallyDownloadsUpdates() const {
    return controller_ && controller_->automaticallyDownloadsUpdates();
}

void PurloSparkleUpdater::setAutomaticallyDownloadsUpdates(bool enabled) {
    if (controller_) {
        controller_->setAutomaticallyDownloadsUpdates(enabled);
    }
}

bool PurloSparkleUpdater::allowsAutomaticUpdates() const {
    return controller_ && controller_->allowsAutomaticUpdates();
}

void PurloSparkleUpdater::checkForUpdates() {
    if (controller_) {
        controller_->checkForUpdates();
    }
}

} // namespace purlo
