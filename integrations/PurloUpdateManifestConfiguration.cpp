#include "integrations/PurloUpdateManifestConfiguration.h"

#include "integrations/BuiltInformationValue.h"

namespace purlo {

PurloUpdateManifestConfiguration
PurloUpdateManifestConfiguration::fromBundle(const Bundle::Information& information) {
    const auto value = builtInformationValue("PurloUpdateManifestURL", information);
    return {value ? Url::parse(*value) : std::nullopt};
}

} // namespace purlo
