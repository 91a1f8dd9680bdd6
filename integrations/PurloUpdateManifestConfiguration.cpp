#include "integrations/PurloUpdateManifestConfiguration.h"

#include "model/UnicodeText.h"

namespace purlo {

PurloUpdateManifestConfiguration
PurloUpdateManifestConfiguration::fromBundle(const Bundle::Information& information) {
    const auto found = information.find("PurloUpdateManifestURL");
    if (found == information.end()) {
        return {};
    }
    const std::string value = trimmedWhitespace(found->second);
    if (value.empty() || value.find("$(") != std::string::npos ||
        value.find("${") != std::string::npos) {
        return {};
    }
    return {Url::parse(value)};
}

} // namespace purlo
