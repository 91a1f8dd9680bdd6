#include "integrations/PurloWebsiteLinks.h"

#include "integrations/PurloReleaseHosts.h"

#include <string>

namespace purlo {
namespace {

std::optional<Url> websitePage(std::string_view pathAndFragment) {
    return Url::parse("https://" + std::string(PurloReleaseHosts::web) +
                      std::string(pathAndFragment));
}

} // namespace

const std::optional<Url>& PurloWebsiteLinks::helpPage() {
    static const std::optional<Url> page = websitePage("/help");
    return page;
}

const std::optional<Url>& PurloWebsiteLinks::connectionHelp() {
    static const std::optional<Url> page = websitePage("/help#integrations");
    return page;
}

const std::optional<Url>& PurloWebsiteLinks::releaseNotes() {
    static const std::optional<Url> page = websitePage("/help#changelog");
    return page;
}

const std::optional<Url>& PurloWebsiteLinks::privacyPolicy() {
    static const std::optional<Url> page = websitePage("/privacy");
    return page;
}

const std::optional<Url>& PurloWebsiteLinks::communityPage() {
    static const std::optional<Url> page = Url::parse(PurloReleaseHosts::communityPage);
    return page;
}

} // namespace purlo
