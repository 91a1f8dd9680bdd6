#include "integrations/PurloUpdateCheckState.h"

namespace purlo {
namespace {

// "Purlo" here is fixed text, not the display name from the information keys.
std::string releaseName(const std::string& version, const std::string& build) {
    return "Purlo " + version + " (" + build + ")";
}

struct StatusText {
    std::string operator()(const PurloUpdateCheckState::UpToDate& state) const {
        return releaseName(state.version, state.build) + " is up to date.";
    }
    std::string operator()(const PurloUpdateCheckState::UpdateAvailable& state) const {
        return releaseName(state.manifest.version, state.manifest.build) + " is ready to download.";
    }
    std::string operator()(const PurloUpdateCheckState::Unavailable& state) const {
        return state.message;
    }
    std::string operator()(const PurloUpdateCheckState::Idle&) const {
        return "Check for updates whenever you like.";
    }
    std::string operator()(const PurloUpdateCheckState::Checking&) const {
        return "Checking for updates.";
    }
};

} // namespace

std::string PurloUpdateCheckState::statusText() const {
    return std::visit(StatusText{}, value_);
}

std::optional<Url> PurloUpdateCheckState::downloadURL() const {
    if (const auto* available = std::get_if<UpdateAvailable>(&value_)) {
        return available->manifest.validatedDownloadURL();
    }
    return std::nullopt;
}

} // namespace purlo
